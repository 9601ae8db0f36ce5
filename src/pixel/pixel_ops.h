// The pixel engine: every pixel the plug-in touches goes through these five functions, on buffer
// views (core/image_view.h: 24-bit B,G,R, rows bottom-up with a stride of exactly width x 3
// bytes). Coordinates are top-down: pixel (x, y) of a W x H buffer starts at byte
// ((H - 1 - y) x W + x) x 3.
//
// The only bound is the buffer's byte size B: a pixel is processed when 0 <= offset and
// offset + 3 <= B. x is never clipped to its row, so x = W lands at the left of the row above.
// Offsets are formed in 64-bit arithmetic, so far-away coordinates are refused, never wrapped.
// Nothing is reported: pixels outside are skipped one by one, unknown codes change nothing.
#pragma once

#include <cstdint>

#include "src/core/image_view.h"

namespace stamp {

// Raster operations of BlitCopy (the published ternary raster-operation codes).
inline constexpr int32_t kSrcCopy = 0x00CC0020;
inline constexpr int32_t kNotSrcCopy = 0x00330008;
inline constexpr int32_t kSrcAnd = static_cast<int32_t>(0x008800C6);
inline constexpr int32_t kSrcPaint = static_cast<int32_t>(0x00EE0086);

enum BlendMode : int32_t {
  BlendLighten = 0,
  BlendDarken = 1,
  BlendAnd = 2,
  BlendOr = 3,
  BlendAdd = 4,
  BlendSourceMinusDest = 5,
  BlendMultiply = 6,
  BlendAddProduct = 7,
  BlendSubtractProduct = 8,
  BlendTransparentWhite = 9,
  BlendScreenInverted = 10,
};

// Rectangle operations. The rectangle (width x height) pairs destination pixel (dx + i, dy + j)
// with source pixel (sx + i, sy + j); rows are walked from the rectangle's bottom row up, each row
// left to right, so overlapping copies within one buffer follow that order.
void BlitCopy(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
              ConstImageView src, int32_t sx, int32_t sy, int32_t rasterOp);
void BlitBlend(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
               ConstImageView src, int32_t sx, int32_t sy, int32_t mode);
void FillWhite(ImageView buffer, int32_t x, int32_t y, int32_t width, int32_t height);

// Single pixels of a canvas-sized buffer, viewed with the canvas geometry. The channel arguments
// come in the order red, blue, green.
// GetPixel24 leaves the out-values untouched when the pixel lies outside the canvas.
void GetPixel24(ConstImageView canvas, int32_t x, int32_t y, uint16_t* red, uint16_t* blue,
                uint16_t* green);
// PutPixel24 stores the low 8 bits of each value; only the byte-size bound applies.
void PutPixel24(ImageView canvas, int32_t x, int32_t y, uint16_t red, uint16_t blue,
                uint16_t green);

}  // namespace stamp
