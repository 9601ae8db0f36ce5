// The rectangle walk: which pixels a rectangle reaches (wrapping across rows, the byte-size bound),
// the pairing with the source, the order of overlapping copies, and calls that change nothing.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "pixel/rect_operations.h"
#include "src/pixel/pixel_ops.h"
#include "support/raster.h"

namespace stamp::test {
namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet WhitePixels(const Raster& picture) {
  PixelSet white;
  for (int32_t y = 0; y < picture.height(); ++y) {
    for (int32_t x = 0; x < picture.width(); ++x) {
      if (picture.At(x, y) == Rgb{255, 255, 255}) white.insert({x, y});
    }
  }
  return white;
}

struct FillCase {
  const char* what;
  int32_t x, y, width, height;
  PixelSet whitened;
};

TEST(FillWhiteTest, WhitensExactlyThePixelsInsideTheByteRange) {
  const FillCase cases[] = {
      {"right of a row wraps to the row above", 8, 5, 3, 1, {{8, 5}, {9, 5}, {0, 4}}},
      {"left of a row wraps to the row below", -1, 5, 2, 1, {{9, 6}, {0, 5}}},
      {"right of the top row is past the end", 9, 0, 2, 1, {{9, 0}}},
      {"left of the bottom row is before the start", -1, 9, 2, 1, {{0, 9}}},
      {"left of the row above the top is the top row's end", -1, -1, 1, 1, {{9, 0}}},
      {"rows above the top", 0, -3, 10, 3, {}},
      {"rows below the bottom", 0, 10, 10, 3, {}},
      {"zero width", 2, 2, 0, 3, {}},
      {"zero height", 2, 2, 3, 0, {}},
      {"negative width", 2, 2, -3, 3, {}},
      {"negative height", 2, 2, 3, -3, {}},
  };
  for (const FillCase& c : cases) {
    Raster picture(10, 10);
    FillWhite({picture.data(), 10, 10, 300}, c.x, c.y, c.width, c.height);
    EXPECT_EQ(WhitePixels(picture), c.whitened) << c.what;
  }
}

TEST(FillWhiteTest, RectangleReachingAboveAndBelowChangesOnlyRowsInside) {
  Raster picture(6, 4);
  FillWhite({picture.data(), 6, 4, picture.bytes()}, 1, -2, 2, 8);
  EXPECT_EQ(picture.rows(), (Rows{
                                ".##...",
                                ".##...",
                                ".##...",
                                ".##...",
                            }));
}

TEST(FillWhiteTest, ByteSizeIsTheOnlyBound) {
  Raster picture(4, 3);
  FillWhite({picture.data(), 4, 3, 2 * 4 * 3}, 0, 0, 4, 3);  // the bottom two rows' bytes
  EXPECT_EQ(picture.rows(), (Rows{
                                "....",
                                "####",
                                "####",
                            }));
  FillWhite({picture.data(), 4, 3, -1}, 0, 0, 4, 3);
  EXPECT_EQ(picture.rows()[0], "....") << "a negative byte size holds no pixel";
}

struct OverlapCase {
  const char* what;
  Rows before;
  int32_t sx, sy, dx, dy, width, height;
  Rows after;
};

// Bottom row of the rectangle first, each row left to right, every pixel read just before its
// write: copies towards the top or the right repeat the first pixels they overwrite.
TEST(BlitCopyTest, OverlappingCopyWithinOneBufferFollowsTheWalkOrder) {
  const OverlapCase cases[] = {
      {"one row up", {"a", "b", "c"}, 0, 1, 0, 0, 1, 2, {"c", "c", "c"}},
      {"one row down", {"a", "b", "c"}, 0, 0, 0, 1, 1, 2, {"a", "a", "b"}},
      {"one column right", {"abcd"}, 0, 0, 1, 0, 3, 1, {"aaaa"}},
      {"one column left", {"abcd"}, 1, 0, 0, 0, 3, 1, {"bcdd"}},
  };
  for (const OverlapCase& c : cases) {
    Raster picture(c.before);
    kEngineBlitCopy(picture.data(), picture.width(), picture.height(), c.dx, c.dy, c.width,
                    c.height, picture.data(), picture.width(), picture.height(), c.sx, c.sy,
                    kSrcCopy, picture.bytes(), picture.bytes());
    EXPECT_EQ(picture.rows(), c.after) << c.what;
  }
}

TEST(BlitCopyTest, CopiesBetweenBuffersOfDifferentWidths) {
  const Raster source({
      "abc",
      "def",
  });
  Raster target(5, 3);
  kEngineBlitCopy(target.data(), 5, 3, 3, 1, 2, 2, source.data(), 3, 2, 1, 0, kSrcCopy,
                  target.bytes(), source.bytes());
  EXPECT_EQ(target.rows(), (Rows{
                               ".....",
                               "...bc",
                               "...ef",
                           }));
}

// Codes outside the eleven blend modes and the four raster operations change nothing.
TEST(BlitTest, UnknownCodesChangeNothing) {
  const struct {
    RectFunction function;
    int32_t code;
  } cases[] = {
      {kEngineBlitBlend, 11},
      {kEngineBlitBlend, -1},
      {kEngineBlitBlend, 12},
      {kEngineBlitBlend, INT32_MIN},
      {kEngineBlitBlend, INT32_MAX},
      {kEngineBlitCopy, 0},
      {kEngineBlitCopy, 1},
      {kEngineBlitCopy, kSrcCopy + 1},
      {kEngineBlitCopy, kSrcCopy & 0xFF0000},
      {kEngineBlitCopy, 0x00660046},
      {kEngineBlitCopy, -1},
  };
  const Raster source({"abc"});
  for (const auto& c : cases) {
    Raster target({"xyz"});
    c.function(target.data(), 3, 1, 0, 0, 3, 1, source.data(), 3, 1, 0, 0, c.code, 9, 9);
    EXPECT_EQ(target.rows(), Rows{"xyz"}) << "code " << c.code;
  }
}

class EveryRectOperation : public ::testing::TestWithParam<RectOperation> {};

// The source rectangle's lower row lies below the source: its partners in the destination keep
// their colour, while the row paired with the source's inside row takes the operation.
TEST_P(EveryRectOperation, SourceOutsideLeavesTheDestinationPixel) {
  const RectOperation& op = GetParam();
  const Raster source({
      "abc",
      "def",
  });
  Raster target(3, 3, 'x');
  Raster expected = target;
  op.engine(target.data(), 3, 3, 0, 0, 3, 2, source.data(), 3, 2, 0, 1, op.code, target.bytes(),
            source.bytes());
  op.reference(expected.data(), 3, 3, 0, 0, 3, 1, source.data(), 3, 2, 0, 1, op.code,
               expected.bytes(), source.bytes());
  EXPECT_EQ(target.rows(), expected.rows());
  EXPECT_EQ(target.rows()[1], "xxx");
  EXPECT_EQ(target.rows()[2], "xxx");
}

// In a 16 x 16 buffer, row 15 + 2^28 has the 32-bit offset (15 - y) x 16 x 3 = -2^32 x 3, which
// wraps to 0: a 32-bit walk would reach the bottom row. Offsets here are exact, so it is outside.
constexpr int32_t kWrappingRow = 15 + (1 << 28);

TEST_P(EveryRectOperation, FarAwayCoordinatesAreRefusedInsteadOfWrapping) {
  const RectOperation& op = GetParam();
  const Raster source(16, 16, 'a');
  const Raster untouched(16, 16, 'x');
  const struct {
    const char* what;
    int32_t dx, dy, sx, sy, width;
  } cases[] = {
      {"destination row far below", 3, kWrappingRow, 3, 15, 1},
      {"source row far below", 3, 15, 3, kWrappingRow, 1},
      {"columns running past the 32-bit range", INT32_MAX - 1, 15, 0, 15, 4},
  };
  for (const auto& c : cases) {
    Raster target = untouched;
    op.engine(target.data(), 16, 16, c.dx, c.dy, c.width, 1, source.data(), 16, 16, c.sx, c.sy,
              op.code, target.bytes(), source.bytes());
    EXPECT_EQ(target.rows(), untouched.rows()) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Pixel, EveryRectOperation, ::testing::ValuesIn(AllRectOperations()),
                         OperationName());

// A row far below, and geometry so extreme that exact offsets need more than 64 bits: no pixel.
TEST(FillWhiteTest, FarAwayCoordinatesAreRefusedInsteadOfWrapping) {
  Raster picture(16, 16);
  FillWhite({picture.data(), 16, 16, picture.bytes()}, 3, kWrappingRow, 1, 1);
  FillWhite({picture.data(), INT32_MIN, INT32_MAX, picture.bytes()}, 0, INT32_MIN, 2, 2);
  FillWhite({picture.data(), INT32_MAX, INT32_MIN, picture.bytes()}, INT32_MAX, INT32_MAX, 2, 2);
  EXPECT_EQ(WhitePixels(picture), PixelSet{});
}

}  // namespace
}  // namespace stamp::test
