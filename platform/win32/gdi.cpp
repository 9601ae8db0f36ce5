// Drawing contexts and bitmaps: the GDI calls behind the platform's context and bitmap calls.
#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"

namespace stamp::platform {
namespace {

// Win32 takes a null context as "the screen" only for some calls; a compatible bitmap needs a
// real one, so the screen's context is borrowed for the call.
HBITMAP CompatibleBitmap(HDC dc, int32_t width, int32_t height) {
  if (dc != nullptr) return CreateCompatibleBitmap(dc, width, height);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Fail;
using stamp::platform::FromHandle;
using stamp::platform::ToHandle;

PlatHandle plat_create_compatible_dc(PlatHandle dc) {
  HDC context = CreateCompatibleDC(FromHandle<HDC>(dc));
  return context != nullptr ? ToHandle(context) : Fail("CreateCompatibleDC failed", PlatHandle{0});
}

int32_t plat_delete_dc(PlatHandle dc) { return DeleteDC(FromHandle<HDC>(dc)) ? 1 : 0; }

PlatHandle plat_select_object(PlatHandle dc, PlatHandle object) {
  return ToHandle(SelectObject(FromHandle<HDC>(dc), FromHandle<HGDIOBJ>(object)));
}

int32_t plat_delete_object(PlatHandle object) {
  return DeleteObject(FromHandle<HGDIOBJ>(object)) ? 1 : 0;
}

PlatHandle plat_create_compatible_bitmap(PlatHandle dc, int32_t width, int32_t height) {
  HBITMAP bitmap = stamp::platform::CompatibleBitmap(FromHandle<HDC>(dc), width, height);
  return bitmap != nullptr ? ToHandle(bitmap)
                           : Fail("CreateCompatibleBitmap failed", PlatHandle{0});
}

PlatHandle plat_create_dib_section(PlatHandle dc, const void* bitmapInfo, uint32_t usage,
                                   void** bits) {
  HBITMAP bitmap = CreateDIBSection(FromHandle<HDC>(dc), static_cast<const BITMAPINFO*>(bitmapInfo),
                                    usage, bits, nullptr, 0);
  return bitmap != nullptr ? ToHandle(bitmap) : Fail("CreateDIBSection failed", PlatHandle{0});
}

// GDI cannot lay a bitmap over memory the caller owns: a host makes a DIB section instead and
// uses its pixel memory as the raster.
PlatHandle plat_create_bitmap_over_raster(int32_t, int32_t, void*) {
  return Fail("a Win32 bitmap cannot lie over the caller's memory; use a DIB section's",
              PlatHandle{0});
}

int32_t plat_get_bitmap_desc(PlatHandle bitmap, PlatBitmapDesc* desc) {
  BITMAP object{};
  if (desc == nullptr || GetObjectW(FromHandle<HGDIOBJ>(bitmap), sizeof object, &object) == 0) {
    return Fail("GetObject found no bitmap", 0);
  }
  *desc = {object.bmWidth, object.bmHeight, object.bmWidthBytes, object.bmPlanes,
           object.bmBitsPixel};
  return 1;
}

int32_t plat_bit_blt(PlatHandle dst, int32_t x, int32_t y, int32_t width, int32_t height,
                     PlatHandle src, int32_t srcX, int32_t srcY, uint32_t rop) {
  return BitBlt(FromHandle<HDC>(dst), x, y, width, height, FromHandle<HDC>(src), srcX, srcY, rop)
             ? 1
             : 0;
}
