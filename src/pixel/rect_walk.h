// Byte offsets, the inside test and the one rectangle walk shared by BlitCopy, BlitBlend and
// FillWhite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "src/core/image_view.h"
#include "src/pixel/blend_modes.h"

namespace stamp {

// Stands for an offset whose exact value does not fit 64 bits. It lies far beyond any buffer
// (byte sizes are below 2^31), and the at most 2^31 steps of 3 along a row cannot bring it back.
inline constexpr int64_t kFarAway = std::numeric_limits<int64_t>::max() / 2;

// Byte offset of pixel (x, y) of a width x height buffer: ((height - 1 - y) x width + x) x 3.
// Exact in 64 bits, so coordinates far outside the buffer never wrap into it.
inline int64_t PixelOffset(int64_t width, int64_t height, int64_t x, int64_t y) {
  int64_t offset = 0;
  if (__builtin_mul_overflow(height - 1 - y, width, &offset) ||
      __builtin_add_overflow(offset, x, &offset) || __builtin_mul_overflow(offset, 3, &offset)) {
    return kFarAway;
  }
  return offset;
}

// The only bound any pixel operation applies: the pixel's three bytes lie within the byte size.
// A negative byte size holds no pixel.
constexpr bool IsInside(int64_t offset, int64_t bytes) {
  return offset >= 0 && offset + 3 <= bytes;
}

template <typename Byte>
Byte* PixelAt(Byte* pixels, int64_t insideOffset) {
  return pixels + static_cast<ptrdiff_t>(insideOffset);
}

inline Pixel LoadPixel(const uint8_t* at) { return {at[0], at[1], at[2]}; }

inline void StorePixel(uint8_t* at, Pixel value) {
  at[0] = value[0];
  at[1] = value[1];
  at[2] = value[2];
}

// Pairs destination pixel (dx + i, dy + j) with source pixel (sx + i, sy + j) for 0 <= i < width,
// 0 <= j < height, from the bottom row (j = height - 1) up, each row left to right. A pair is
// processed only when both pixels are inside their buffers; each pixel's source and destination
// bytes are read just before its new bytes are written, so a copy between overlapping rectangles
// of one buffer follows this order.
template <PixelOp Op>
void WalkRectangle(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
                   ConstImageView src, int32_t sx, int32_t sy) {
  if (width <= 0 || height <= 0) return;
  for (int64_t j = int64_t{height} - 1; j >= 0; --j) {
    const int64_t dstRow = PixelOffset(dst.width, dst.height, dx, dy + j);
    const int64_t srcRow = PixelOffset(src.width, src.height, sx, sy + j);
    for (int64_t i = 0; i < width; ++i) {
      const int64_t dstOffset = dstRow + 3 * i;
      const int64_t srcOffset = srcRow + 3 * i;
      if (!IsInside(dstOffset, dst.bytes) || !IsInside(srcOffset, src.bytes)) continue;
      uint8_t* out = PixelAt(dst.pixels, dstOffset);
      StorePixel(out, Op(LoadPixel(PixelAt(src.pixels, srcOffset)), LoadPixel(out)));
    }
  }
}

}  // namespace stamp
