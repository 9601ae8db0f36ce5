// Stamp preparation: what lands in the cell cache at (0,60) and in the StampImage at (0,0)
// of stampBuffer, for full and reduced cells, cells inside and outside the grid, and dial changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>

#include "src/core/panel_image_layout.h"
#include "support/preparation.h"

namespace stamp::test {
namespace {

constexpr int64_t kSquare = 60;

class RebuildTest : public PreparationTest {
 protected:
  void SetUp() override { FillCanvasRandom(host, STAMP_REC_STAMP_BUFFER, 3); }

  Plane StampPlane() const { return CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER)); }
  const uint8_t* Stamp(int64_t x, int64_t y) const {
    return StampPlane().bytes + StampPlane().Inside(x, y);
  }
  const uint8_t* Cell(int32_t selection, int64_t i, int64_t j) const {
    const Plane panel = PanelPlane(preparation.panel());
    return panel.bytes + panel.Inside(70 + 30 * (selection % 4) + i, 30 * (selection / 4) + j);
  }
  RotatedSize Size() const { return preparation.size(); }

  // At angle 0 the rotation samples cache pixel (x, y) with both weights 0 for x, y <= side - 2,
  // which darkens each channel by 2; its last row and column and the rest of the square stay
  // white.
  void ExpectUnturnedStamp(int64_t side) const {
    for (int64_t y = 0; y < kSquare; ++y) {
      for (int64_t x = 0; x < kSquare; ++x) {
        const bool sampled = x <= side - 2 && y <= side - 2;
        for (int c = 0; c < 3; ++c) {
          const int expected = sampled ? std::max(Stamp(x, kCellCacheY + y)[c] - 2, 0) : 255;
          ASSERT_EQ(Stamp(x, y)[c], expected) << "StampImage (" << x << ", " << y << ")";
        }
      }
    }
  }
};

// A selection and a reduction.
using CellChoice = std::tuple<int32_t, int32_t>;

class WholeCellTest : public RebuildTest, public ::testing::WithParamInterface<CellChoice> {};

// Sizes outside 5..29 leave the cell whole. Cells outside the grid (only a profile can select
// them) follow the same formulas, with truncating mod and div; the copy takes what the
// PanelImage's byte bound lets through. Cells beyond the int32 coordinates copy nothing.
TEST_P(WholeCellTest, CopiesTheCellToTheCacheAndRotatesItFromThere) {
  const auto [selection, reduction] = GetParam();
  Bytes expected = CanvasCopy(host, STAMP_REC_STAMP_BUFFER);
  ModelCellToCache(host, expected, preparation.panel(), selection);
  preparation.Rebuild(selection, reduction, 0);
  EXPECT_EQ(Size().width, 30);
  EXPECT_EQ(Size().height, 30);
  EXPECT_TRUE(SameCache(host, CanvasCopy(host, STAMP_REC_STAMP_BUFFER), expected));
  ExpectUnturnedStamp(30);
}

INSTANTIATE_TEST_SUITE_P(UnreducedSizes, WholeCellTest,
                         ::testing::Combine(::testing::Values(5),
                                            ::testing::Values(30, 4, 31, 40, 0, -7, INT_MIN,
                                                              INT_MAX)));
INSTANTIATE_TEST_SUITE_P(SelectionsOutsideTheGrid, WholeCellTest,
                         ::testing::Combine(::testing::Values(-1, -3, -4, -5, -9, 12, 13, 15,
                                                              4000000, -4000000, INT_MIN, INT_MAX),
                                            ::testing::Values(30)));

class ReducedTest : public RebuildTest, public ::testing::WithParamInterface<int32_t> {};

// Sizes that divide 30 average whole k x k blocks, k = 30 / size; the mean is truncated.
TEST_P(ReducedTest, AveragesBlocksOfTheCellIntoTheCache) {
  const int32_t side = GetParam();
  const int64_t k = kCellSize / side;
  preparation.Rebuild(2, side, 0);
  EXPECT_EQ(Size().width, side);
  EXPECT_EQ(Size().height, side);
  for (int64_t y = 0; y < side; ++y) {
    for (int64_t x = 0; x < side; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int64_t j = 0; j < k; ++j) {
          for (int64_t i = 0; i < k; ++i) sum += Cell(2, x * k + i, y * k + j)[c];
        }
        ASSERT_EQ(Stamp(x, kCellCacheY + y)[c], sum / (k * k)) << x << ", " << y;
      }
    }
  }
  ExpectUnturnedStamp(side);
}

INSTANTIATE_TEST_SUITE_P(WholeBlocks, ReducedTest, ::testing::Values(5, 10, 15));

TEST_F(RebuildTest, DialChangeRotatesTheCacheWithoutReadingThePanelImage) {
  preparation.Rebuild(9, 20, 45);
  const Bytes turned = CanvasCopy(host, STAMP_REC_STAMP_BUFFER);
  const RotatedSize turnedSize = Size();
  preparation.Rebuild(9, 20, 0);
  FillRandom(preparation.panel(), kPanelImageBytes, 77);
  preparation.Rebuild(9, 20, 45, false);
  EXPECT_EQ(CanvasCopy(host, STAMP_REC_STAMP_BUFFER), turned);
  EXPECT_EQ(Size().width, turnedSize.width);
  EXPECT_EQ(Size().height, turnedSize.height);
}

struct Turn {
  int32_t reduction;
  int32_t angle;
};

class WhiteSquareTest : public RebuildTest, public ::testing::WithParamInterface<Turn> {};

// The rotation writes at most 253 per channel, so a 255 can only be the square's white fill.
TEST_P(WhiteSquareTest, StaysExactlyWhiteWhereTheRotationDoesNotWrite) {
  preparation.Rebuild(0, GetParam().reduction, GetParam().angle);
  for (int64_t y = 0; y < kSquare; ++y) {
    for (int64_t x = 0; x < kSquare; ++x) {
      const uint8_t* pixel = Stamp(x, y);
      const bool allWhite = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
      if (x >= Size().width || y >= Size().height) {
        ASSERT_TRUE(allWhite) << "outside the box at " << x << ", " << y;
      } else if (!allWhite) {
        ASSERT_LE(std::max({pixel[0], pixel[1], pixel[2]}), 253) << x << ", " << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Angles, WhiteSquareTest,
                         ::testing::Values(Turn{30, 45}, Turn{30, 1}, Turn{30, -100}, Turn{10, 30},
                                           Turn{17, 225}, Turn{29, 359}));

}  // namespace
}  // namespace stamp::test
