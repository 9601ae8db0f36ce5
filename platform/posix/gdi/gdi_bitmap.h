// The bitmap object: width x height pixels of a PixelFormat in rows of `stride` bytes, stored
// top-down or bottom-up, over pixel memory it owns (low memory, zero-filled) or memory a caller
// keeps alive. Coordinates are top-down: row 0 is the top row whatever the storage order.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/portable/bitmap_limits.h"
#include "platform/posix/gdi/gdi_pixel_format.h"
#include "platform/posix/system/handle_table.h"
#include "platform/posix/system/low_memory.h"

namespace stamp::platform {

class Bitmap : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Bitmap;
  ObjectKind kind() const override { return kKind; }

  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;  // bytes from one stored row to the next
  bool topDown = false;
  PixelFormat format;
  uint8_t* pixels = nullptr;
  LowBlock ownedPixels;         // set when the bitmap owns its memory
  PlatHandle selectedInto = 0;  // the context holding it, 0 when none
  PlatHandle stockOwner = 0;    // the context whose stock bitmap this is, 0 for others

  // The first byte of top-down row y (0 <= y < height).
  uint8_t* Row(int32_t y) const;
  bool Contains(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A bitmap with zero-filled low memory and padded rows; nullptr (reason recorded) when the size
// is refused or memory is short. The caller has checked the format.
std::unique_ptr<Bitmap> MakeOwnedBitmap(int32_t width, int32_t height, PixelFormat format,
                                        bool topDown);

// Adds the bitmap to the handle table: its handle, or 0.
PlatHandle AddBitmap(std::unique_ptr<Bitmap> bitmap);

}  // namespace stamp::platform
