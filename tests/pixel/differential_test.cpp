// The engine against the literal reference model on random rectangles (fixed seed): partly
// outside, wrapping across rows, far away, with byte sizes above and below width x height x 3,
// and overlapping within one buffer, also through two different views of the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "pixel/pixel_ops.h"
#include "pixel/rect_operations.h"
#include "pixel/reference_pixel_ops.h"
#include "plugin/module_state.h"

namespace stamp::test {
namespace {

constexpr int kRounds = 3000;

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  // Uniform in lo..hi, both included.
  int32_t Between(int32_t lo, int32_t hi) {
    const uint64_t span = static_cast<uint64_t>(int64_t{hi} - lo) + 1;
    return static_cast<int32_t>(lo + static_cast<int64_t>(engine_() % span));
  }
  bool OneIn(int32_t n) { return Between(1, n) == 1; }
  uint8_t Byte() { return static_cast<uint8_t>(engine_()); }

 private:
  std::mt19937 engine_;
};

// Mostly near the buffer, now and then anywhere in the 32-bit range.
int32_t Coordinate(Random& random, int32_t extent) {
  if (random.OneIn(20)) return random.Between(INT32_MIN, INT32_MAX);
  return random.Between(-extent - 3, 2 * extent + 3);
}

struct View {
  int32_t width, height, bytes;
  size_t start;  // first byte of the view within the memory block
};

View RandomView(Random& random, size_t blockSize) {
  View view{random.Between(-2, 12), random.Between(-2, 12), 0, 0};
  if (random.OneIn(4)) view.start = static_cast<size_t>(random.Between(0, 5));
  view.start = std::min(view.start, blockSize);
  const auto room = static_cast<int32_t>(blockSize - view.start);
  const int32_t natural = std::max(0, view.width * view.height * 3);
  switch (random.Between(0, 3)) {
    case 0: view.bytes = random.Between(INT32_MIN, 0); break;
    case 1: view.bytes = random.Between(0, room); break;
    default: view.bytes = std::min(natural, room); break;
  }
  return view;
}

// One random call: a destination and a source view, on one shared block or on two blocks.
struct Scenario {
  bool shared;
  std::vector<uint8_t> dstBlock, srcBlock;
  View dst, src;
  int32_t dx, dy, sx, sy, width, height;

  std::string Describe() const {
    std::ostringstream out;
    out << (shared ? "one block" : "two blocks") << "; dst " << dst.width << "x" << dst.height
        << " bytes " << dst.bytes << " at +" << dst.start << ", rect (" << dx << ", " << dy << ") "
        << width << "x" << height << "; src " << src.width << "x" << src.height << " bytes "
        << src.bytes << " at +" << src.start << ", (" << sx << ", " << sy << ")";
    return out.str();
  }
};

std::vector<uint8_t> RandomBlock(Random& random) {
  std::vector<uint8_t> block(static_cast<size_t>(random.Between(1, 12 * 12 * 3 + 12)));
  // Whites and near-whites now and then, so TransparentWhite meets both kinds of pixel.
  for (uint8_t& b : block)
    b = random.OneIn(3) ? static_cast<uint8_t>(255 - random.Between(0, 1)) : random.Byte();
  return block;
}

Scenario RandomScenario(Random& random) {
  Scenario s{};
  s.shared = random.OneIn(3);
  s.dstBlock = RandomBlock(random);
  s.srcBlock = s.shared ? std::vector<uint8_t>{} : RandomBlock(random);
  s.dst = RandomView(random, s.dstBlock.size());
  s.src = RandomView(random, s.shared ? s.dstBlock.size() : s.srcBlock.size());
  s.dx = Coordinate(random, s.dst.width);
  s.dy = Coordinate(random, s.dst.height);
  s.sx = Coordinate(random, s.src.width);
  s.sy = Coordinate(random, s.src.height);
  s.width = random.Between(-2, 16);
  s.height = random.Between(-2, 16);
  return s;
}

// Runs one rectangle function on the scenario's own copy of the memory.
void RunOn(Scenario& s, RectFunction function, int32_t code) {
  uint8_t* dst = s.dstBlock.data() + s.dst.start;
  const uint8_t* src = (s.shared ? s.dstBlock.data() : s.srcBlock.data()) + s.src.start;
  function(dst, s.dst.width, s.dst.height, s.dx, s.dy, s.width, s.height, src, s.src.width,
           s.src.height, s.sx, s.sy, code, s.dst.bytes, s.src.bytes);
}

class DifferentialTest : public ::testing::TestWithParam<RectOperation> {};

TEST_P(DifferentialTest, RandomRectanglesMatchTheReference) {
  const RectOperation& op = GetParam();
  Random random(20240611);
  for (int round = 0; round < kRounds; ++round) {
    Scenario engine = RandomScenario(random);
    Scenario model = engine;
    RunOn(engine, op.engine, op.code);
    RunOn(model, op.reference, op.code);
    ASSERT_EQ(engine.dstBlock, model.dstBlock) << "round " << round << ": " << engine.Describe();
    ASSERT_EQ(engine.srcBlock, model.srcBlock) << "round " << round << ": " << engine.Describe();
  }
}

TEST_P(DifferentialTest, EveryPairOfBytesMatchesTheReference) {
  const RectOperation& op = GetParam();
  AllBytePairs engine;
  AllBytePairs model;
  engine.Apply(op.engine, op.code);
  model.Apply(op.reference, op.code);
  EXPECT_EQ(engine.target, model.target);
}

INSTANTIATE_TEST_SUITE_P(Pixel, DifferentialTest, ::testing::ValuesIn(AllRectOperations()),
                         OperationName);

TEST(DifferentialFillTest, RandomRectanglesMatchTheReference) {
  Random random(4242);
  for (int round = 0; round < kRounds; ++round) {
    Scenario engine = RandomScenario(random);
    Scenario model = engine;
    const View& v = engine.dst;
    FillWhite(engine.dstBlock.data() + v.start, v.width, v.height, engine.dx, engine.dy,
              engine.width, engine.height, v.bytes);
    reference::FillWhite(model.dstBlock.data() + v.start, v.width, v.height, model.dx, model.dy,
                         model.width, model.height, v.bytes);
    ASSERT_EQ(engine.dstBlock, model.dstBlock) << "round " << round << ": " << engine.Describe();
  }
}

// Random canvas geometries in the host record, random pixels in and around the canvas.
TEST(DifferentialCanvasPixelTest, RandomPixelsMatchTheReference) {
  alignas(4) std::array<uint8_t, STAMP_REC_SIZE> record{};
  Module().host = HostContext(record.data());
  Random random(99);
  for (int round = 0; round < kRounds; ++round) {
    std::vector<uint8_t> engine = RandomBlock(random);
    std::vector<uint8_t> model = engine;
    const View v = RandomView(random, engine.size());
    std::memcpy(record.data() + STAMP_REC_CANVAS_WIDTH, &v.width, 4);
    std::memcpy(record.data() + STAMP_REC_CANVAS_HEIGHT, &v.height, 4);
    std::memcpy(record.data() + STAMP_REC_CANVAS_BYTES, &v.bytes, 4);
    const int32_t x = Coordinate(random, v.width);
    const int32_t y = Coordinate(random, v.height);
    std::array<uint16_t, 3> got = {1, 2, 3};
    std::array<uint16_t, 3> want = got;
    GetPixel24(engine.data() + v.start, x, y, &got[0], &got[1], &got[2]);
    reference::GetPixel24(model.data() + v.start, x, y, &want[0], &want[1], &want[2]);
    const auto red = static_cast<uint16_t>(random.Between(0, 0xFFFF));
    PutPixel24(engine.data() + v.start, x, y, red, got[1], got[0]);
    reference::PutPixel24(model.data() + v.start, x, y, red, want[1], want[0]);
    ASSERT_EQ(got, want) << "round " << round << " at " << x << ", " << y;
    ASSERT_EQ(engine, model) << "round " << round << " at " << x << ", " << y;
  }
  Module().host = HostContext();
}

}  // namespace
}  // namespace stamp::test
