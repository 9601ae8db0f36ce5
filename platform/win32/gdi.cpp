// Drawing contexts and bitmaps: the GDI calls behind the platform's context and bitmap calls.
//
// The system may batch a thread's drawing calls and carry them out later; the platform promises
// that a call's pixels are in the bitmap's memory when it returns, since callers read and write
// DIB section memory right after a copy. So every call here that draws ends with GdiFlush. Wine
// does not batch, so no test under it can tell a missing flush: the flush is there by design.
//
// Sizes are checked against the limits every back end shares before the system is asked: it
// would make a 1x1 monochrome bitmap for a side of 0, and accept sizes the POSIX back end refuses.
#include <array>
#include <cstring>

#include "platform/portable/bitmap_limits.h"
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

// The depth a compatible bitmap of dc would have: that of its selected bitmap, else the screen's.
uint16_t CompatibleDepth(HDC dc) {
  BITMAP selected{};
  if (dc != nullptr && GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof selected, &selected)) {
    return selected.bmBitsPixel;
  }
  HDC screen = GetDC(nullptr);
  const int depth = screen != nullptr ? GetDeviceCaps(screen, BITSPIXEL) : 32;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return static_cast<uint16_t>(depth);
}

// The 1x1 monochrome bitmap every new memory context holds: one stock object for all of them.
HGDIOBJ StockBitmap() {
  static const HGDIOBJ stock = [] {
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ held = GetCurrentObject(probe, OBJ_BITMAP);
    DeleteDC(probe);
    return held;
  }();
  return stock;
}

// A bitmap is selected into one context at a time, so a context of our own refuses it exactly
// while another holds it.
bool SelectedSomewhere(HBITMAP bitmap) {
  HDC probe = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(probe, bitmap);
  if (previous != nullptr) SelectObject(probe, previous);
  DeleteDC(probe);
  return previous == nullptr;
}

// The header as the platform checks it on every back end: sizes within the shared limits and,
// for bit fields, sound masks (the system accepts overlapping ones).
bool AcceptableDib(const void* bitmapInfo) {
  if (bitmapInfo == nullptr) return Fail("plat_create_dib_section: no header", false);
  PlatBitmapInfoHeader header;
  std::memcpy(&header, bitmapInfo, sizeof header);
  const int64_t height = header.biHeight;
  if (!CheckBitmapSize(header.biWidth, height < 0 ? -height : height, header.biBitCount)) {
    return false;
  }
  if (header.biCompression != PLAT_BI_BITFIELDS) return true;
  std::array<uint32_t, 3> masks{};
  std::memcpy(masks.data(), static_cast<const uint8_t*>(bitmapInfo) + sizeof header, sizeof masks);
  return ValidMasks(masks, header.biBitCount) ||
         Fail("plat_create_dib_section: bad channel masks", false);
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

// The system deletes a context whatever it holds; the platform refuses while a bitmap other than
// the stock one is selected, so a caller that forgot to select the old bitmap back is told on
// every back end instead of leaving a bitmap that can no longer be released cleanly.
int32_t plat_delete_dc(PlatHandle dc) {
  HDC context = FromHandle<HDC>(dc);
  HGDIOBJ held = GetCurrentObject(context, OBJ_BITMAP);
  if (held == nullptr) return Fail("not a drawing context", 0);
  if (held != stamp::platform::StockBitmap()) {
    return Fail("the context still holds a bitmap; select the old one back first", 0);
  }
  return DeleteDC(context) ? 1 : Fail("DeleteDC failed", 0);
}

PlatHandle plat_select_object(PlatHandle dc, PlatHandle object) {
  return ToHandle(SelectObject(FromHandle<HDC>(dc), FromHandle<HGDIOBJ>(object)));
}

// Only bitmaps and fonts, and a bitmap only while no context holds it: the system would also
// delete a context given here, and would let a selected bitmap go.
int32_t plat_delete_object(PlatHandle object) {
  HGDIOBJ gdiObject = FromHandle<HGDIOBJ>(object);
  const DWORD type = GetObjectType(gdiObject);
  if (type != OBJ_BITMAP && type != OBJ_FONT) return Fail("not a bitmap or font", 0);
  if (type == OBJ_BITMAP && stamp::platform::SelectedSomewhere(static_cast<HBITMAP>(gdiObject))) {
    return Fail("the bitmap is selected into a context", 0);
  }
  return DeleteObject(gdiObject) ? 1 : Fail("DeleteObject failed", 0);
}

PlatHandle plat_create_compatible_bitmap(PlatHandle dc, int32_t width, int32_t height) {
  using namespace stamp::platform;
  if (!CheckBitmapSize(width, height, CompatibleDepth(FromHandle<HDC>(dc)))) return 0;
  HBITMAP bitmap = CompatibleBitmap(FromHandle<HDC>(dc), width, height);
  return bitmap != nullptr ? ToHandle(bitmap)
                           : Fail("CreateCompatibleBitmap failed", PlatHandle{0});
}

PlatHandle plat_create_dib_section(PlatHandle dc, const void* bitmapInfo, uint32_t usage,
                                   void** bits) {
  if (bits != nullptr) *bits = nullptr;
  if (!stamp::platform::AcceptableDib(bitmapInfo)) return 0;
  HBITMAP bitmap = CreateDIBSection(FromHandle<HDC>(dc), static_cast<const BITMAPINFO*>(bitmapInfo),
                                    usage, bits, nullptr, 0);
  return bitmap != nullptr ? ToHandle(bitmap) : Fail("CreateDIBSection failed", PlatHandle{0});
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
  if (rop != PLAT_SRCCOPY) return Fail("plat_bit_blt: only SRCCOPY is known", 0);
  if (width <= 0 || height <= 0) return 1;  // nothing to copy (the system would mirror)
  const BOOL copied =
      BitBlt(FromHandle<HDC>(dst), x, y, width, height, FromHandle<HDC>(src), srcX, srcY, rop);
  GdiFlush();
  return copied ? 1 : Fail("BitBlt failed", 0);
}
