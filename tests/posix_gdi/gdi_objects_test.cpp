// The POSIX back end's own calls: its fault injection and the bitmap over a host's raster.
#include <gtest/gtest.h>

#include "platform/testing/platform_testing.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"

namespace stamp::test {
namespace {

TEST(ScreenBitmaps, HaveTheStandInScreensDepth) {
  const PlatHandle screen = plat_create_compatible_bitmap(0, 10, 3);
  EXPECT_EQ(Describe(screen).bitsPixel, PLAT_SCREEN_BITS_PER_PIXEL);
  EXPECT_EQ(plat_delete_object(screen), 1);
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

TEST(LowMemory, InjectedFaultFailsOnlyTheChosenCall) {
  plat_fault_inject(PLAT_FAULT_ALLOC_LOW, 1);
  void* first = plat_alloc_low(64);
  void* second = plat_alloc_low(64);
  void* third = plat_alloc_low(64);
  plat_fault_clear();
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_NE(third, nullptr);
  plat_free_low(first);
  plat_free_low(third);
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
