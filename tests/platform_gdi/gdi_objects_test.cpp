#include <gtest/gtest.h>

#include "platform/testing/platform_testing.h"
#include "platform_gdi/gdi_test_util.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"

namespace stamp::test {
namespace {

PlatBitmapDesc Describe(PlatHandle bitmap) {
  PlatBitmapDesc desc{};
  EXPECT_EQ(plat_get_bitmap_desc(bitmap, &desc), 1) << plat_last_error();
  return desc;
}

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
  const int32_t before = plat_live_object_count();
  for (int round = 0; round < 3; ++round) {
    const PlatHandle dc = plat_create_compatible_dc(0);
    const PlatHandle bitmap = plat_create_compatible_bitmap(dc, 8, 8);
    const PlatHandle previous = plat_select_object(dc, bitmap);
    ASSERT_NE(previous, 0u);
    plat_select_object(dc, previous);
    EXPECT_EQ(plat_delete_object(bitmap), 1);
    EXPECT_EQ(plat_delete_dc(dc), 1);
  }
  EXPECT_EQ(plat_live_object_count(), before);
}

TEST(Contexts, DeletionIsRefusedWhileABitmapIsSelected) {
  const int32_t before = plat_live_object_count();
  const PlatHandle dc = plat_create_compatible_dc(0);
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 2, 2);
  const PlatHandle previous = plat_select_object(dc, bitmap);
  EXPECT_EQ(plat_delete_dc(dc), 0);
  EXPECT_EQ(plat_delete_object(bitmap), 0);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_EQ(plat_select_object(dc, previous), bitmap);
  EXPECT_EQ(plat_delete_object(bitmap), 1);
  EXPECT_EQ(plat_delete_dc(dc), 1);
  EXPECT_EQ(plat_live_object_count(), before);
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

TEST(CompatibleBitmaps, TakeTheFormatOfTheContextsBitmap) {
  const PlatHandle screen = plat_create_compatible_bitmap(0, 10, 3);
  const PlatBitmapDesc desc = Describe(screen);
  EXPECT_EQ(desc.bitsPixel, PLAT_SCREEN_BITS_PER_PIXEL);
  EXPECT_EQ(desc.widthBytes, 32);  // 30 bytes padded to 4
  EXPECT_EQ(desc.planes, 1);

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

  SelectedBitmap canvas(screen);
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

TEST(Faults, EachKindFailsItsOwnCallOnce) {
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 1, 1);
  PlatBitmapDesc desc{};
  plat_fault_inject(PLAT_FAULT_BITMAP_DESC, 0);
  EXPECT_EQ(plat_get_bitmap_desc(bitmap, &desc), 0);
  EXPECT_EQ(plat_get_bitmap_desc(bitmap, &desc), 1);

  plat_fault_inject(PLAT_FAULT_COMPATIBLE_BITMAP, 1);
  const PlatHandle first = plat_create_compatible_bitmap(0, 1, 1);
  EXPECT_EQ(plat_create_compatible_bitmap(0, 1, 1), 0u);
  EXPECT_STRNE(plat_last_error(), "");
  const PlatHandle third = plat_create_compatible_bitmap(0, 1, 1);
  EXPECT_NE(first, 0u);
  EXPECT_NE(third, 0u);

  plat_fault_inject(PLAT_FAULT_DIB_SECTION, 0);
  EXPECT_EQ(MakeDib(DibInfo(2, 2, 24)).handle, 0u);

  plat_fault_inject(PLAT_FAULT_ALLOC_LOW, 0);
  EXPECT_EQ(plat_create_compatible_bitmap(0, 1, 1), 0u);
  plat_fault_clear();
  for (PlatHandle made : {bitmap, first, third}) EXPECT_EQ(plat_delete_object(made), 1);
}

TEST(RasterBitmaps, DescribeTheHostsUnpaddedBottomUpLayout) {
  uint8_t raster[5 * 3 * 2] = {};
  const PlatHandle bitmap = plat_create_bitmap_over_raster(5, 2, raster);
  const PlatBitmapDesc desc = Describe(bitmap);
  EXPECT_EQ(desc.width, 5);
  EXPECT_EQ(desc.height, 2);
  EXPECT_EQ(desc.widthBytes, 15);
  EXPECT_EQ(desc.bitsPixel, 24);
  EXPECT_EQ(plat_create_bitmap_over_raster(5, 2, nullptr), 0u);
  EXPECT_EQ(plat_delete_object(bitmap), 1);
}

}  // namespace
}  // namespace stamp::test
