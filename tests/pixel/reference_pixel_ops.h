// A slow, literal model of the pixel engine, kept to check the engine (and any faster path added
// to it) against. Same signatures as pixel/pixel_ops.h. Each pixel's offset is computed from the
// formula on its own, in 64-bit arithmetic; the model is exact for every coordinate whose offset
// fits 63 bits (any width below 2^29 with any 32-bit coordinates).
#pragma once

#include <cstdint>

namespace stamp::reference {

void BlitCopy(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
              int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
              int32_t srcHeight, int32_t sx, int32_t sy, int32_t rasterOp, int32_t dstBytes,
              int32_t srcBytes);
void BlitBlend(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
               int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
               int32_t srcHeight, int32_t sx, int32_t sy, int32_t mode, int32_t dstBytes,
               int32_t srcBytes);
void FillWhite(uint8_t* buffer, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
               int32_t width, int32_t height, int32_t bytes);
void GetPixel24(const uint8_t* buffer, int32_t x, int32_t y, uint16_t* red, uint16_t* blue,
                uint16_t* green);
void PutPixel24(uint8_t* buffer, int32_t x, int32_t y, uint16_t red, uint16_t blue, uint16_t green);

}  // namespace stamp::reference
