#include <gtest/gtest.h>

#include <cstring>

#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"
#include "support/raster.h"

namespace stamp::test {
namespace {

TEST(BitBlt, PaletteSourceIsLookedUpIntoRgb) {
  // A 4x1 8-bit picture: indices 0, 1, 2, 3 over a palette of red, green, blue, white.
  const Dib paletted = MakeDib(DibInfo(4, 1, 8, {kRed, kGreen, kBlue, kWhiteRef}));
  ASSERT_NE(paletted.bits, nullptr);
  for (uint8_t i = 0; i < 4; ++i) paletted.bits[i] = i;
  SelectedBitmap source(paletted.handle);
  Dib24 target(4, 1);
  ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 4, 1, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
  const Raster pixels = target.Pixels();
  const uint32_t expected[] = {kRed, kGreen, kBlue, kWhiteRef};
  for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(pixels.At(x, 0), RgbOf(expected[x])) << x;
}

TEST(BitBlt, RgbIntoMonochromeTakesTheNearestPaletteEntry) {
  const uint32_t colors[10] = {kWhiteRef, kBlackRef, 0xC0C0C0,  0x404040,  kWhiteRef,
                               kRed,      0x70FFFF,  kBlackRef, kWhiteRef, 0xF0F0F0};
  Raster row(10, 1);
  for (int32_t x = 0; x < 10; ++x) row.Set(x, 0, RgbOf(colors[x]));
  const Dib24 source(row);
  const Dib mono = MakeDib(DibInfo(10, 1, 1, {kBlackRef, kWhiteRef}));
  SelectedBitmap target(mono.handle);
  ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 10, 1, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
  // Leftmost pixel in the high bit: 1 0 1 0 1 0 1 0 | 1 1.
  EXPECT_EQ(mono.bits[0], 0b10101010);
  EXPECT_EQ(mono.bits[1], 0b11000000);
}

TEST(BitBlt, RgbIntoFiveFiveFiveKeepsTheTopBitsOfEachChannel) {
  const Dib24 source(Filled(1, 1, 0x10FF88));  // blue 0x10, green 0xFF, red 0x88
  const Dib word = MakeDib(DibInfo(1, 1, 16));
  SelectedBitmap target(word.handle);
  ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
  uint16_t value;
  std::memcpy(&value, word.bits, sizeof value);
  EXPECT_EQ(value, (0x88 >> 3) << 10 | (0xFF >> 3) << 5 | (0x10 >> 3));
}

struct ClipCase {
  const char* name;
  int32_t x, y, width, height, srcX, srcY;
  bool topDownTarget = false;
};

class BitBltClipping : public ::testing::TestWithParam<ClipCase> {};

// A bottom-up 5x4 pattern copied onto a 6x5 target of paper: every destination pixel changes
// exactly when both it and its source pixel lie inside.
TEST_P(BitBltClipping, PixelsWithoutASourceOrOutsideTheTargetAreLeftAlone) {
  const ClipCase c = GetParam();
  const Raster pattern = PatternPicture(5, 4, 0);
  const Dib24 source(pattern);
  const Dib24 target(Filled(6, 5, kPaper), c.topDownTarget);
  ASSERT_EQ(plat_bit_blt(target.dc(), c.x, c.y, c.width, c.height, source.dc(), c.srcX, c.srcY,
                         PLAT_SRCCOPY),
            1);
  Raster expected = Filled(6, 5, kPaper);
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 6; ++x) {
      const int64_t sx = int64_t{x} - c.x + c.srcX;
      const int64_t sy = int64_t{y} - c.y + c.srcY;
      const bool copied = x >= c.x && int64_t{x} < int64_t{c.x} + c.width && y >= c.y &&
                          int64_t{y} < int64_t{c.y} + c.height && sx >= 0 && sx < 5 && sy >= 0 &&
                          sy < 4;
      if (copied)
        expected.Set(x, y, pattern.At(static_cast<int32_t>(sx), static_cast<int32_t>(sy)));
    }
  }
  EXPECT_EQ(target.Pixels(), expected);
  // The byte that pads each 18-byte row to 20 is never written.
  for (int32_t y = 0; y < 5; ++y) EXPECT_EQ(target.PaddingAfter(y), 0) << y;
}

INSTANTIATE_TEST_SUITE_P(Rectangles, BitBltClipping,
                         ::testing::Values(ClipCase{"Inside", 1, 1, 3, 2, 0, 0},
                                           ClipCase{"IntoATopDownTarget", 1, 2, 3, 2, 2, 1, true},
                                           ClipCase{"SourceLeftAndAbove", 0, 0, 4, 4, -2, -1},
                                           ClipCase{"SourceRightAndBelow", 0, 0, 6, 5, 2, 2},
                                           ClipCase{"TargetLeftAndAbove", -2, -3, 5, 5, 0, 0},
                                           ClipCase{"TargetRightAndBelow", 4, 3, 5, 4, 0, 0},
                                           ClipCase{"LargerThanBoth", -10, -10, 40, 40, -10, -10},
                                           ClipCase{"FarAway", 2000000000, 0, 2000000000, 5, 0, 0},
                                           ClipCase{"FarNegative", 0, 0, 6, 5, -2147483647, 0},
                                           ClipCase{"Empty", 1, 1, 0, 3, 0, 0},
                                           ClipCase{"NegativeSize", 1, 1, -3, 3, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsTheSourceFirst) {
  const Raster pattern = PatternPicture(6, 1, 0);
  const Dib24 picture(pattern);
  ASSERT_EQ(plat_bit_blt(picture.dc(), 1, 0, 5, 1, picture.dc(), 0, 0, PLAT_SRCCOPY), 1);
  Raster expected = pattern;
  for (int32_t x = 1; x < 6; ++x) expected.Set(x, 0, pattern.At(x - 1, 0));
  EXPECT_EQ(picture.Pixels(), expected);
}

TEST(BitBlt, UnknownRasterOperationsAndHandlesFailWithoutDrawing) {
  const Dib24 source(PatternPicture(2, 2, 0));
  const Dib24 target(Filled(2, 2, kPaper));
  constexpr uint32_t kSrcPaint = 0x00EE0086;
  EXPECT_EQ(plat_bit_blt(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, kSrcPaint), 0);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_EQ(plat_bit_blt(target.dc(), 0, 0, 2, 2, 0, 0, 0, PLAT_SRCCOPY), 0);
  EXPECT_EQ(plat_bit_blt(0, 0, 0, 2, 2, source.dc(), 0, 0, PLAT_SRCCOPY), 0);
  EXPECT_EQ(target.Pixels(), Filled(2, 2, kPaper));
}

}  // namespace
}  // namespace stamp::test
