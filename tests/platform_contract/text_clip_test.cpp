// Text through the contract, whatever the font's pixels: the built-in bitmap font on POSIX and a
// TrueType font on Windows draw different glyphs, but on both no pixel outside the rectangle (or
// the bitmap) changes, and a rectangle holding the start of the line gets ink.
#include <gtest/gtest.h>

#include <string>

#include "platform_contract/contract_support.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

constexpr int32_t kWidth = 40;
constexpr int32_t kHeight = 30;
constexpr int32_t kFontPixels = 16;

struct ClipCase {
  const char* name;
  const char16_t* text;
  PlatRect rect;
  bool inks;
};

class TextClipping : public ::testing::TestWithParam<ClipCase> {};

TEST_P(TextClipping, NoPixelOutsideTheRectangleChanges) {
  const ClipCase c = GetParam();
  const NoObjectLeft noObjectLeft;
  const Dib24 picture(Filled(kWidth, kHeight, kPaper));
  const SelectedFont font(picture.dc(), kFontPixels);
  ASSERT_TRUE(font.ok()) << plat_last_error();
  plat_set_text_color(picture.dc(), kRed);
  plat_set_bk_color(picture.dc(), kWhiteRef);
  plat_set_bk_mode(picture.dc(), PLAT_OPAQUE);
  plat_draw_text(picture.dc(), c.text, -1, &c.rect, 0);
  const Raster pixels = picture.Pixels();
  bool inked = false;
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      if (pixels.At(x, y) == RgbOf(kPaper)) continue;
      inked = true;
      EXPECT_TRUE(x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom)
          << x << "," << y;
    }
  }
  EXPECT_EQ(inked, c.inks);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, TextClipping,
    ::testing::Values(ClipCase{"Inside", u"8888", {2, 3, 20, 12}, true},
                      ClipCase{"LeftAndAboveTheBitmap", u"8888", {-4, -5, 9, 9}, true},
                      ClipCase{"PastRightAndBottom", u"8888", {30, 20, 80, 80}, true},
                      ClipCase{"AmpersandIsAPlainCharacter", u"&", {0, 0, 40, 30}, true},
                      ClipCase{"LineBreakKeepsOneLine", u"8\n8", {0, 0, 40, 30}, true},
                      ClipCase{"Empty", u"8888", {5, 5, 5, 9}, false},
                      ClipCase{"Inverted", u"8888", {9, 9, 3, 3}, false},
                      ClipCase{"OutsideTheBitmap", u"8888", {50, 0, 80, 12}, false},
                      ClipCase{
                          "FarAway", u"8888", {2147483000, -2147483000, 2147483647, 5}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The line's box in the selected font: wider for more characters, as high as the font's cell.
TEST(TextExtent, GrowsWithTheTextAndHasTheCellHeight) {
  const PlatHandle dc = plat_create_compatible_dc(0);
  {
    const SelectedFont font(dc, kFontPixels);
    PlatSize one{}, two{}, none{};
    ASSERT_EQ(plat_get_text_extent(dc, u"8", -1, &one), 1) << plat_last_error();
    ASSERT_EQ(plat_get_text_extent(dc, u"88", -1, &two), 1);
    ASSERT_EQ(plat_get_text_extent(dc, u"88", 0, &none), 1);
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(two.cx, one.cx);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(one.cy, kFontPixels);
    EXPECT_EQ(plat_get_text_extent(dc, nullptr, -1, &one), 0);
    EXPECT_EQ(plat_get_text_extent(dc, u"8", -2, &one), 0);
  }
  EXPECT_EQ(plat_delete_dc(dc), 1);
}

TEST(Fonts, HeightsOutsideEightToThirtyTwoAreRefused) {
  EXPECT_EQ(plat_create_font(7), 0u);
  EXPECT_EQ(plat_create_font(33), 0u);
  for (const int32_t height : {8, 32}) {
    const PlatHandle font = plat_create_font(height);
    EXPECT_NE(font, 0u);
    EXPECT_EQ(plat_delete_object(font), 1);
  }
}

}  // namespace
}  // namespace stamp::test
