// The engine against the literal reference model on rectangles certainly inside their buffers and
// apart from each other in memory: the rectangles the engine hands to its row loops instead of the
// walk. They wrap past row ends, may be wider than their buffer (whose rows they then cover
// twice), have odd and even row lengths, and lie in two buffers or in two bands of one buffer.
// Overlapping rectangles inside one buffer must still give the walk's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "pixel/random_pixels.h"
#include "pixel/rect_operations.h"
#include "pixel/scenario.h"
#include "src/pixel/blend_modes.h"
#include "src/pixel/inside_rows.h"
#include "src/pixel/row_loops.h"

namespace stamp::test {
namespace {

constexpr int kRounds = 1500;

// Rows top .. top + rows - 1 of a buffer `width` pixels wide: one run of bytes.
struct Band {
  int32_t width;
  int32_t rows;
  int32_t top;
};

// A corner for a width x height rectangle whose every pixel lies in the band's bytes. Counted from
// the band's first row, a rectangle in rows r .. r + height - 1 has its lowest pixel at
// ((rows - r - height) x W + x) x 3 and its highest at ((rows - 1 - r) x W + x + width - 1) x 3.
std::pair<int32_t, int32_t> InsideCorner(Random& random, Band band, int32_t width, int32_t height) {
  const int32_t r = random.Between(0, band.rows - height);
  const int32_t lowest = -(band.rows - r - height) * band.width;
  const int32_t highest = (r + 1) * band.width - width;
  return {random.Between(lowest, highest), band.top + r};
}

// The widest rectangle of this height that fits the band somewhere.
int32_t WidestIn(Band band, int32_t height) { return (band.rows - height + 1) * band.width; }

View WholeView(int32_t width, int32_t height) { return {width, height, width * height * 3, 0}; }

// Two buffers, or one buffer cut into an upper and a lower band, one for each rectangle.
Scenario InsideScenario(Random& random) {
  Scenario s{};
  s.dst = WholeView(random.Between(1, 24), random.Between(2, 24));
  s.dstBlock = RandomBytes(random, static_cast<size_t>(s.dst.bytes));
  Band to{s.dst.width, s.dst.height, 0};
  Band from{};
  s.shared = random.OneIn(2);
  if (s.shared) {
    s.src = s.dst;
    const int32_t cut = random.Between(1, s.dst.height - 1);
    to = {s.dst.width, cut, 0};
    from = {s.dst.width, s.dst.height - cut, cut};
    if (random.OneIn(2)) std::swap(to, from);
  } else {
    s.src = WholeView(random.Between(1, 24), random.Between(1, 24));
    s.srcBlock = RandomBytes(random, static_cast<size_t>(s.src.bytes));
    from = {s.src.width, s.src.height, 0};
  }
  s.height = random.Between(1, std::min(to.rows, from.rows));
  s.width = random.Between(1, std::min(WidestIn(to, s.height), WidestIn(from, s.height)));
  std::tie(s.dx, s.dy) = InsideCorner(random, to, s.width, s.height);
  std::tie(s.sx, s.sy) = InsideCorner(random, from, s.width, s.height);
  return s;
}

class InsideRowsTest : public ::testing::TestWithParam<RectOperation> {};

TEST_P(InsideRowsTest, MatchesTheReference) {
  ExpectEngineMatchesReference(GetParam(), 7001, kRounds, InsideScenario);
}

// A copy shifted by up to three pixels along its rows and by a row up or down, inside one buffer:
// the walk's pixel order smears such copies, and rows of 40 pixels are long enough for any vector
// width to show where an engine would not keep to that order.
TEST_P(InsideRowsTest, OverlappingRectanglesOfOneBufferMatchTheReference) {
  const RectOperation& op = GetParam();
  Random random(7003);
  const View view = WholeView(48, 8);
  const std::vector<uint8_t> start = RandomBytes(random, static_cast<size_t>(view.bytes));
  for (int32_t shiftY = -1; shiftY <= 1; ++shiftY) {
    for (int32_t shiftX = -3; shiftX <= 3; ++shiftX) {
      Scenario engine{true, start, {}, view, view, 4 + shiftX, 2 + shiftY, 4, 2, 40, 4};
      Scenario model = engine;
      engine.Run(op.engine, op.code);
      model.Run(op.reference, op.code);
      ASSERT_EQ(engine.dstBlock, model.dstBlock) << engine.Describe();
    }
  }
}

// Both builds of the operation's row loop: the engine runs only the one for this processor.
// The operation's place in its engine's table of row loops.
size_t LoopIndex(const RectOperation& op) {
  if (op.engine == kEngineBlitBlend) return static_cast<size_t>(op.code);
  size_t index = 0;
  while (kRasterOps[index].code != op.code) ++index;
  return index;
}

RowLoopBuilds BuildsOf(const RectOperation& op) {
  return op.engine == kEngineBlitBlend ? BlendRowLoopBuilds(LoopIndex(op))
                                       : RasterRowLoopBuilds(LoopIndex(op));
}

RowLoop EngineLoopOf(const RectOperation& op) {
  return op.engine == kEngineBlitBlend ? BlendRowLoop(LoopIndex(op)) : RasterRowLoop(LoopIndex(op));
}

// Runs a row loop straight on the scenario's rectangle; false when the rectangle does not lie
// inside its buffers, apart from the other.
bool RunRows(Scenario& s, RowLoop loop) {
  const std::optional<RectRows> rows =
      InsideRows({s.Target(), s.dst.width, s.dst.height, s.dst.bytes}, s.dx, s.dy, s.width,
                 s.height, {s.Source(), s.src.width, s.src.height, s.src.bytes}, s.sx, s.sy);
  if (!rows) return false;
  loop(*rows);
  return true;
}

// The builds of the operation's row loop this processor can run.
std::vector<RowLoop> RunnableBuilds(const RectOperation& op) {
  const RowLoopBuilds builds = BuildsOf(op);
  std::vector<RowLoop> runnable = {builds.baseline};
  if (__builtin_cpu_supports("avx2")) runnable.push_back(builds.avx2);
  return runnable;
}

// The SSE2 baseline must give the reference's bytes on processors with AVX2 as well, where the
// engine never runs it; the AVX2 build is checked wherever it can run, and is the one the engine
// runs there, on every system and toolchain. Each meets every pair of bytes, then random
// rectangles.
TEST_P(InsideRowsTest, EveryBuildOfTheRowLoopMatchesTheReference) {
  const std::vector<RowLoop> runnable = RunnableBuilds(GetParam());
  EXPECT_EQ(EngineLoopOf(GetParam()), runnable.back());
  Random random(7004);
  for (int round = 0; round <= kRounds; ++round) {
    const Scenario start = round == 0 ? AllBytePairs() : InsideScenario(random);
    Scenario model = start;
    model.Run(GetParam().reference, GetParam().code);
    for (const RowLoop loop : runnable) {
      Scenario built = start;
      ASSERT_TRUE(RunRows(built, loop)) << start.Describe();
      ASSERT_EQ(built.dstBlock, model.dstBlock) << "round " << round << ": " << start.Describe();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pixel, InsideRowsTest, ::testing::ValuesIn(AllRectOperations()),
                         OperationName());

TEST(InsideRowsFillTest, MatchesTheReference) {
  ExpectFillMatchesReference(7002, kRounds, InsideScenario);
}

}  // namespace
}  // namespace stamp::test
