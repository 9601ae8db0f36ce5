#include <gtest/gtest.h>

#include "platform_contract/contract_support.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

TEST(Contexts, NewContextHoldsAOneByOneMonochromeStockBitmap) {
  const PlatHandle dc = plat_create_compatible_dc(0);
  ASSERT_NE(dc, 0u);
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 4, 4);
  const PlatHandle stock = plat_select_object(dc, bitmap);
  ASSERT_NE(stock, 0u);
  const PlatBitmapDesc desc = Describe(stock);
  EXPECT_EQ(desc.width, 1);
  EXPECT_EQ(desc.height, 1);
  EXPECT_EQ(desc.bitsPixel, 1);
  EXPECT_EQ(plat_select_object(dc, stock), bitmap);
  EXPECT_EQ(plat_delete_object(bitmap), 1);
  EXPECT_EQ(plat_delete_dc(dc), 1);
}

TEST(Contexts, ReleasedInReverseOrderLeaveNoObjectBehind) {
  const NoObjectLeft noObjectLeft;
  for (int round = 0; round < 3; ++round) {
    const PlatHandle dc = plat_create_compatible_dc(0);
    const PlatHandle bitmap = plat_create_compatible_bitmap(dc, 8, 8);
    const PlatHandle previous = plat_select_object(dc, bitmap);
    ASSERT_NE(previous, 0u);
    plat_select_object(dc, previous);
    EXPECT_EQ(plat_delete_object(bitmap), 1);
    EXPECT_EQ(plat_delete_dc(dc), 1);
  }
}

TEST(Contexts, DeletionIsRefusedWhileABitmapIsSelected) {
  const NoObjectLeft noObjectLeft;
  const PlatHandle dc = plat_create_compatible_dc(0);
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 2, 2);
  const PlatHandle previous = plat_select_object(dc, bitmap);
  EXPECT_EQ(plat_delete_dc(dc), 0);
  EXPECT_EQ(plat_delete_object(bitmap), 0);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_EQ(plat_select_object(dc, previous), bitmap);
  EXPECT_EQ(plat_delete_object(bitmap), 1);
  EXPECT_EQ(plat_delete_dc(dc), 1);
}

TEST(Contexts, ABitmapIsSelectedIntoOneContextAtATime) {
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 2, 2);
  SelectedBitmap first(bitmap);
  ASSERT_TRUE(first.ok());
  const PlatHandle second = plat_create_compatible_dc(0);
  EXPECT_EQ(plat_select_object(second, bitmap), 0u);
  EXPECT_EQ(plat_select_object(first.dc(), bitmap), bitmap);
  EXPECT_EQ(plat_delete_dc(second), 1);
}

TEST(Contexts, StaleAndForeignHandlesAreRefused) {
  const PlatHandle dc = plat_create_compatible_dc(0);
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 2, 2);
  EXPECT_EQ(plat_select_object(bitmap, dc), 0u);
  EXPECT_EQ(plat_delete_object(dc), 0);
  EXPECT_EQ(plat_delete_dc(bitmap), 0);
  EXPECT_EQ(plat_create_compatible_dc(bitmap), 0u);
  EXPECT_EQ(plat_delete_object(bitmap), 1);
  EXPECT_EQ(plat_delete_object(bitmap), 0);
  EXPECT_EQ(plat_select_object(dc, bitmap), 0u);
  EXPECT_EQ(plat_delete_dc(dc), 1);
  EXPECT_EQ(plat_delete_dc(dc), 0);
}

// The screen's depth is the back end's (24 on POSIX, the display's on Windows); rows are padded.
TEST(CompatibleBitmaps, TakeTheFormatOfTheContextsBitmap) {
  const PlatHandle screen = plat_create_compatible_bitmap(0, 10, 3);
  const PlatBitmapDesc desc = Describe(screen);
  EXPECT_GE(desc.bitsPixel, 24);
  EXPECT_EQ(desc.widthBytes, (10 * desc.bitsPixel + 31) / 32 * 4);
  EXPECT_EQ(desc.planes, 1);
  EXPECT_EQ(plat_delete_object(screen), 1);

  const PlatHandle fresh = plat_create_compatible_dc(0);
  const PlatHandle mono = plat_create_compatible_bitmap(fresh, 20, 2);
  EXPECT_EQ(Describe(mono).bitsPixel, 1);
  EXPECT_EQ(Describe(mono).widthBytes, 4);
  plat_delete_object(mono);
  plat_delete_dc(fresh);

  SelectedBitmap eight(MakeDib(DibInfo(4, 4, 8, {kRed, kGreen})).handle);
  const PlatHandle paletted = plat_create_compatible_bitmap(eight.dc(), 5, 5);
  EXPECT_EQ(Describe(paletted).bitsPixel, 8);
  EXPECT_EQ(Describe(paletted).widthBytes, 8);
  plat_delete_object(paletted);

  Dib24 canvas(10, 3);
  const PlatHandle panel = plat_create_compatible_bitmap(canvas.dc(), 264, 100);
  EXPECT_EQ(Describe(panel).bitsPixel, 24);
  EXPECT_EQ(Describe(panel).widthBytes, 792);
  plat_delete_object(panel);
}

TEST(CompatibleBitmaps, AbsurdOrEmptySizesAreRefused) {
  for (const auto& [width, height] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 5},
                                      std::pair{1 << 20, 1}, std::pair{30000, 30000}}) {
    EXPECT_EQ(plat_create_compatible_bitmap(0, width, height), 0u) << width << "x" << height;
  }
}

}  // namespace
}  // namespace stamp::test
