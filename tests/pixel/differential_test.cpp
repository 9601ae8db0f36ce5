// The engine against the literal reference model on random rectangles (fixed seed): partly
// outside, wrapping across rows, far away, with byte sizes above and below width x height x 3,
// and overlapping within one buffer, also through two different views of the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "pixel/scenario.h"
#include "support/canvas_record.h"

namespace stamp::test {
namespace {

constexpr int kRounds = 3000;

// Mostly near the buffer, now and then anywhere in the 32-bit range.
int32_t Coordinate(Random& random, int32_t extent) {
  if (random.OneIn(20)) return random.Between(INT32_MIN, INT32_MAX);
  return random.Between(-extent - 3, 2 * extent + 3);
}

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

std::vector<uint8_t> RandomBlock(Random& random) {
  return RandomBytes(random, static_cast<size_t>(random.Between(1, 12 * 12 * 3 + 12)));
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

class DifferentialTest : public ::testing::TestWithParam<RectOperation> {};

TEST_P(DifferentialTest, RandomRectanglesMatchTheReference) {
  ExpectEngineMatchesReference(GetParam(), 20240611, kRounds, RandomScenario);
}

TEST_P(DifferentialTest, EveryPairOfBytesMatchesTheReference) {
  ExpectEngineMatchesReference(GetParam(), 0, 1, [](Random&) { return AllBytePairs(); });
}

INSTANTIATE_TEST_SUITE_P(Pixel, DifferentialTest, ::testing::ValuesIn(AllRectOperations()),
                         OperationName());

TEST(DifferentialFillTest, RandomRectanglesMatchTheReference) {
  ExpectFillMatchesReference(4242, kRounds, RandomScenario);
}

// Random canvas geometries in the host record, random pixels in and around the canvas.
TEST(DifferentialCanvasPixelTest, RandomPixelsMatchTheReference) {
  CanvasRecord record(0, 0);
  Random random(99);
  for (int round = 0; round < kRounds; ++round) {
    std::vector<uint8_t> engine = RandomBlock(random);
    std::vector<uint8_t> model = engine;
    const View v = RandomView(random, engine.size());
    record.Resize(v.width, v.height, v.bytes);
    const int32_t x = Coordinate(random, v.width);
    const int32_t y = Coordinate(random, v.height);
    std::array<uint16_t, 3> got = {1, 2, 3};
    std::array<uint16_t, 3> want = got;
    const ImageView canvas = CanvasView(engine.data() + v.start);
    GetPixel24(canvas, x, y, &got[0], &got[1], &got[2]);
    reference::GetPixel24(model.data() + v.start, x, y, &want[0], &want[1], &want[2]);
    const auto red = static_cast<uint16_t>(random.Between(0, 0xFFFF));
    PutPixel24(canvas, x, y, red, got[1], got[0]);
    reference::PutPixel24(model.data() + v.start, x, y, red, want[1], want[0]);
    ASSERT_EQ(got, want) << "round " << round << " at " << x << ", " << y;
    ASSERT_EQ(engine, model) << "round " << round << " at " << x << ", " << y;
  }
}

}  // namespace
}  // namespace stamp::test
