#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform_contract/contract_support.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

constexpr uint32_t kInk = kRed;
constexpr uint32_t kBackground = 0xC0FFC0;

// The picture as rows of characters: '#' ink, '+' background, '.' untouched paper.
std::vector<std::string> Render(const Dib24& picture) {
  const Raster pixels = picture.Pixels();
  std::vector<std::string> rows;
  for (int32_t y = 0; y < pixels.height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < pixels.width(); ++x) {
      const Rgb color = pixels.At(x, y);
      row += color == RgbOf(kInk)          ? '#'
             : color == RgbOf(kBackground) ? '+'
             : color == RgbOf(kPaper)      ? '.'
                                           : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

class TextDrawing : public ::testing::Test {
 protected:
  TextDrawing() : picture_(Filled(16, 14, kPaper)) {
    plat_set_text_color(picture_.dc(), kInk);
    plat_set_bk_color(picture_.dc(), kBackground);
  }
  int32_t Draw(const char16_t* text, PlatRect rect, int32_t mode, int32_t length = -1) {
    plat_set_bk_mode(picture_.dc(), mode);
    return plat_draw_text(picture_.dc(), text, length, &rect, 0);
  }
  Dib24 picture_;
};

// The default font is 12 pixels high: the 5x7 design sits two rows down in its 6-wide cell.
TEST_F(TextDrawing, TransparentDigitInksOnlyTheGlyphInsideTheRectangle) {
  EXPECT_EQ(Draw(u"8", {2, 1, 14, 13}, PLAT_TRANSPARENT), 12);
  EXPECT_EQ(Render(picture_), (std::vector<std::string>{
                                  "................",
                                  "................",
                                  "................",
                                  "...###..........",
                                  "..#...#.........",
                                  "..#...#.........",
                                  "...###..........",
                                  "..#...#.........",
                                  "..#...#.........",
                                  "...###..........",
                                  "................",
                                  "................",
                                  "................",
                                  "................",
                              }));
}

TEST_F(TextDrawing, OpaqueFillsTheCellsBackgroundButNotBeyondTheRectangle) {
  Draw(u"-1", {1, 0, 10, 9}, PLAT_OPAQUE);
  EXPECT_EQ(Render(picture_), (std::vector<std::string>{
                                  ".+++++++++......",
                                  ".+++++++++......",
                                  ".++++++++#......",
                                  ".+++++++##......",
                                  ".++++++++#......",
                                  ".#####+++#......",
                                  ".++++++++#......",
                                  ".++++++++#......",
                                  ".+++++++##......",  // the 1's foot is cut at x 10
                                  "................",
                                  "................",
                                  "................",
                                  "................",
                                  "................",
                              }));
}

struct ClipCase {
  const char* name;
  PlatRect rect;
};

class TextClipping : public TextDrawing, public ::testing::WithParamInterface<ClipCase> {};

// In opaque mode every pixel of the cells inside the rectangle changes and nothing else does.
TEST_P(TextClipping, OnlyPixelsInsideTheRectangleAndTheBitmapChange) {
  const PlatRect rect = GetParam().rect;
  EXPECT_EQ(Draw(u"88", rect, PLAT_OPAQUE), 12);
  const Raster pixels = picture_.Pixels();
  for (int32_t y = 0; y < 14; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom &&
                          x < rect.left + 12 && y < rect.top + 12;
      EXPECT_EQ(pixels.At(x, y) != RgbOf(kPaper), inside) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, TextClipping,
    ::testing::Values(ClipCase{"RightAndBottomExclusive", {2, 3, 7, 8}},
                      ClipCase{"OneCellAndABit", {0, 0, 7, 14}},
                      ClipCase{"LeftAndAboveTheBitmap", {-4, -5, 9, 9}},
                      ClipCase{"PastRightAndBottom", {10, 9, 40, 40}},
                      ClipCase{"Empty", {5, 5, 5, 9}}, ClipCase{"Inverted", {9, 9, 3, 3}},
                      ClipCase{"OutsideTheBitmap", {20, 0, 40, 12}},
                      ClipCase{"FarAway", {2147483000, -2147483000, 2147483647, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextDrawing, LengthLimitsTheCharactersAndUnknownOnesDrawAsBoxes) {
  Draw(u"\u00e9x", {0, 0, 16, 14}, PLAT_TRANSPARENT, 1);
  const std::vector<std::string> rows = Render(picture_);
  EXPECT_EQ(rows[2], "#####...........");
  EXPECT_EQ(rows[5], "#...#...........");
  EXPECT_EQ(rows[8], "#####...........");
  EXPECT_EQ(rows[9], "................");
}

TEST_F(TextDrawing, BadArgumentsDrawNothingAndGiveZero) {
  const PlatRect rect{0, 0, 16, 14};
  EXPECT_EQ(plat_draw_text(0, u"1", -1, &rect, 0), 0);
  EXPECT_EQ(plat_draw_text(picture_.dc(), nullptr, -1, &rect, 0), 0);
  EXPECT_EQ(plat_draw_text(picture_.dc(), u"1", -1, nullptr, 0), 0);
  EXPECT_EQ(plat_draw_text(picture_.dc(), u"1", -2, &rect, 0), 0);
  EXPECT_EQ(Render(picture_), std::vector<std::string>(14, std::string(16, '.')));
}

// The extent runs from the first cell's left edge to the last glyph's last column: whole cells
// for all but the last character, the glyph's 5 design columns for it, in the selected font's
// scale; a surrogate pair is one character.
TEST_F(TextDrawing, ExtentCoversTheLinesInkInTheSelectedFont) {
  constexpr int32_t kDefaultFont = 0;
  const struct {
    const char16_t* text;
    int32_t length;
    int32_t fontPixels;
    PlatSize size;
  } cases[] = {{u"", -1, kDefaultFont, {0, 12}},
               {u"7", -1, kDefaultFont, {5, 12}},
               {u"File", -1, kDefaultFont, {23, 12}},
               {u"File", 2, kDefaultFont, {11, 12}},
               {u"\U0001F600a", -1, kDefaultFont, {11, 12}},
               {u"ab", -1, 16, {22, 16}}};  // design pixels drawn 2x2, cells 12 wide
  for (const auto& c : cases) {
    std::optional<SelectedFont> font;
    if (c.fontPixels != kDefaultFont) font.emplace(picture_.dc(), c.fontPixels);
    PlatSize size{};
    EXPECT_EQ(plat_get_text_extent(picture_.dc(), c.text, c.length, &size), 1);
    EXPECT_EQ(std::vector<int32_t>({size.cx, size.cy}),
              std::vector<int32_t>({c.size.cx, c.size.cy}))
        << c.size.cx;
  }
  PlatSize size{};
  EXPECT_EQ(plat_get_text_extent(0, u"1", -1, &size), 0);
  EXPECT_EQ(plat_get_text_extent(picture_.dc(), nullptr, -1, &size), 0);
  EXPECT_EQ(plat_get_text_extent(picture_.dc(), u"1", -2, &size), 0);
}

TEST(TextIntoPalettes, InkTakesTheNearestEntryOfAnEightBitBitmap) {
  const Dib dib = MakeDib(DibInfo(8, -12, 8, {kWhiteRef, kBlackRef, kBlue, 0x0000C0}));
  SelectedBitmap selected(dib.handle);
  plat_set_text_color(selected.dc(), kRed);
  plat_set_bk_color(selected.dc(), 0xF0F0F0);
  const PlatRect rect{0, 0, 8, 12};
  ASSERT_EQ(plat_draw_text(selected.dc(), u"-", 1, &rect, 0), 12);
  // Row 5 of the top-down DIB holds the minus sign: dark red ink on the white entry.
  const uint8_t* row = dib.bits + 5 * 8;
  EXPECT_EQ((std::vector<uint8_t>(row, row + 8)), (std::vector<uint8_t>{3, 3, 3, 3, 3, 0, 0, 0}));
}

TEST(TextState, SettersGiveBackThePreviousValue) {
  const PlatHandle dc = plat_create_compatible_dc(0);
  EXPECT_EQ(plat_set_text_color(dc, kRed), kBlackRef);
  EXPECT_EQ(plat_set_text_color(dc, kBlue), kRed);
  EXPECT_EQ(plat_set_bk_color(dc, kGreen), kWhiteRef);
  EXPECT_EQ(plat_set_bk_mode(dc, PLAT_TRANSPARENT), PLAT_OPAQUE);
  EXPECT_EQ(plat_set_bk_mode(dc, 7), 0);
  EXPECT_EQ(plat_set_bk_mode(dc, PLAT_OPAQUE), PLAT_TRANSPARENT);
  EXPECT_EQ(plat_set_text_color(0, kRed), 0xFFFFFFFFu);
  EXPECT_EQ(plat_set_bk_color(0, kRed), 0xFFFFFFFFu);
  EXPECT_EQ(plat_set_bk_mode(0, PLAT_OPAQUE), 0);
  plat_delete_dc(dc);
}

TEST(Fonts, SelectedFontSetsTheCellAndCannotBeDeletedUntilReleased) {
  const NoObjectLeft noObjectLeft;
  {
    const Dib24 picture(40, 20, true);
    const SelectedFont font(picture.dc(), 16);
    ASSERT_TRUE(font.ok());
    EXPECT_EQ(plat_delete_object(font.font()), 0);
    const PlatRect rect{0, 0, 40, 20};
    EXPECT_EQ(plat_draw_text(picture.dc(), u"11", -1, &rect, 0), 16);
    // At 16 pixels the design doubles: the second '1' starts 12 pixels in, its stem 2 wide.
    const Raster pixels = picture.Pixels();
    EXPECT_EQ(pixels.At(16, 4), RgbOf(kBlackRef));
    EXPECT_EQ(pixels.At(17, 4), RgbOf(kBlackRef));
    EXPECT_EQ(pixels.At(18, 4), RgbOf(kWhiteRef));
  }
  // Deleting a context releases the font it held.
  const PlatHandle dc = plat_create_compatible_dc(0);
  const PlatHandle font = plat_create_font(8);
  plat_select_object(dc, font);
  EXPECT_EQ(plat_delete_dc(dc), 1);
  EXPECT_EQ(plat_delete_object(font), 1);
}

}  // namespace
}  // namespace stamp::test
