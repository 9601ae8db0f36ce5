// Compatible bitmaps, bitmaps over a host's raster, and bitmap descriptions.
#include "platform/portable/last_error.h"
#include "platform/posix/gdi/gdi_context.h"
#include "platform/posix/system/fault_injection.h"
#include "platform/testing/platform_testing.h"
#include "stamp/platform_host.h"

namespace stamp::platform {
namespace {

constexpr uint16_t kRasterBitsPerPixel = 24;
constexpr int32_t kRasterBytesPerPixel = kRasterBitsPerPixel / 8;
constexpr uint16_t kPlanes = 1;

// The format a compatible bitmap takes: that of the bitmap selected into dc, or the screen's.
const PixelFormat* CompatibleFormat(PlatHandle dc, PixelFormat& screen) {
  if (dc == 0) {
    screen = MakeFormat(PLAT_SCREEN_BITS_PER_PIXEL);
    return &screen;
  }
  const Bitmap* selected = SelectedBitmap(dc);
  return selected == nullptr ? nullptr : &selected->format;
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Bitmap;
using stamp::platform::Fail;
using stamp::platform::PixelFormat;

// Windows leaves a new compatible bitmap's pixels undefined; here they start zero (black, or
// palette entry 0).
PlatHandle plat_create_compatible_bitmap(PlatHandle dc, int32_t width, int32_t height) {
  if (stamp::platform::ShouldFail(PLAT_FAULT_COMPATIBLE_BITMAP)) {
    return Fail("plat_create_compatible_bitmap failed (injected)", PlatHandle{0});
  }
  PixelFormat screen;
  const PixelFormat* format = stamp::platform::CompatibleFormat(dc, screen);
  if (format == nullptr) return 0;
  return stamp::platform::AddBitmap(
      stamp::platform::MakeOwnedBitmap(width, height, *format, false));
}

PlatHandle plat_create_bitmap_over_raster(int32_t width, int32_t height, void* pixels) {
  using stamp::platform::kRasterBitsPerPixel;
  if (pixels == nullptr) return Fail("plat_create_bitmap_over_raster: no pixels", PlatHandle{0});
  if (!stamp::platform::CheckBitmapSize(width, height, kRasterBitsPerPixel)) return 0;
  return stamp::platform::GuardedCall(PlatHandle{0}, [&] {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->stride = width * stamp::platform::kRasterBytesPerPixel;
    bitmap->topDown = false;
    bitmap->format = stamp::platform::MakeFormat(kRasterBitsPerPixel);
    bitmap->pixels = static_cast<uint8_t*>(pixels);
    return stamp::platform::AddBitmap(std::move(bitmap));
  });
}

int32_t plat_get_bitmap_desc(PlatHandle handle, PlatBitmapDesc* desc) {
  if (stamp::platform::ShouldFail(PLAT_FAULT_BITMAP_DESC)) {
    return Fail("plat_get_bitmap_desc failed (injected)", 0);
  }
  const Bitmap* bitmap = stamp::platform::Find<Bitmap>(handle);
  if (bitmap == nullptr) return Fail("plat_get_bitmap_desc: not a bitmap", 0);
  if (desc == nullptr) return Fail("plat_get_bitmap_desc: no description to fill", 0);
  desc->width = bitmap->width;
  desc->height = bitmap->height;
  desc->widthBytes = bitmap->stride;
  desc->planes = stamp::platform::kPlanes;
  desc->bitsPixel = bitmap->format.bitsPerPixel;
  return 1;
}
