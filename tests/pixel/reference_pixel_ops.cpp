// Written straight from the rules: offset formula per pixel, the byte-size bound, the blend table
// row by row, no tables of functions and no incremental offsets.
#include "pixel/reference_pixel_ops.h"

#include <algorithm>
#include <array>

#include "support/canvas_record.h"

namespace stamp::reference {
namespace {

constexpr int32_t kSrcCopy = 0x00CC0020;
constexpr int32_t kNotSrcCopy = 0x00330008;
constexpr int32_t kSrcAnd = static_cast<int32_t>(0x008800C6);
constexpr int32_t kSrcPaint = static_cast<int32_t>(0x00EE0086);

int64_t Offset(int64_t width, int64_t height, int64_t x, int64_t y) {
  return ((height - 1 - y) * width + x) * 3;
}

bool Inside(int64_t offset, int64_t bytes) { return 0 <= offset && offset + 3 <= bytes; }

// A pixel's three bytes, all read before any is written: source and destination may overlap.
using Channels = std::array<int, 3>;
Channels Read(const uint8_t* pixel) { return {pixel[0], pixel[1], pixel[2]}; }

int Raster(int32_t code, int s, int d) {
  if (code == kSrcCopy) return s;
  if (code == kNotSrcCopy) return 255 - s;
  if (code == kSrcAnd) return d & s;
  return d | s;
}

int Blend(int32_t mode, int s, int d) {
  switch (mode) {
    case 0: return std::max(s, d);
    case 1: return std::min(s, d);
    case 2: return d & s;
    case 3: return d | s;
    case 4: return std::min(d + s, 255);
    case 5: return std::max(s - d, 0);
    case 6: return (s * d) / 255;
    case 7: return std::min(d + (s * d) / 255, 255);
    case 8: return d - (s * d) / 255;
    default: return d + ((255 - s) * (255 - d)) / 255;
  }
}

// Visits every rectangle pair in walk order and hands over the offsets of pairs inside both.
template <typename Visit>
void Walk(int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy, int32_t width,
          int32_t height, int32_t srcWidth, int32_t srcHeight, int32_t sx, int32_t sy,
          int32_t dstBytes, int32_t srcBytes, Visit visit) {
  for (int64_t j = int64_t{height} - 1; j >= 0; --j) {
    for (int64_t i = 0; i < width; ++i) {
      const int64_t d = Offset(dstWidth, dstHeight, dx + i, dy + j);
      const int64_t s = Offset(srcWidth, srcHeight, sx + i, sy + j);
      if (Inside(d, dstBytes) && Inside(s, srcBytes)) visit(d, s);
    }
  }
}

}  // namespace

void BlitCopy(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
              int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
              int32_t srcHeight, int32_t sx, int32_t sy, int32_t rasterOp, int32_t dstBytes,
              int32_t srcBytes) {
  if (rasterOp != kSrcCopy && rasterOp != kNotSrcCopy && rasterOp != kSrcAnd &&
      rasterOp != kSrcPaint) {
    return;
  }
  Walk(dstWidth, dstHeight, dx, dy, width, height, srcWidth, srcHeight, sx, sy, dstBytes, srcBytes,
       [&](int64_t d, int64_t s) {
         const Channels source = Read(src + s), dest = Read(dst + d);
         for (int c = 0; c < 3; ++c) {
           dst[d + c] = static_cast<uint8_t>(Raster(rasterOp, source[c], dest[c]));
         }
       });
}

void BlitBlend(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
               int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
               int32_t srcHeight, int32_t sx, int32_t sy, int32_t mode, int32_t dstBytes,
               int32_t srcBytes) {
  if (mode < 0 || mode > 10) return;
  Walk(dstWidth, dstHeight, dx, dy, width, height, srcWidth, srcHeight, sx, sy, dstBytes, srcBytes,
       [&](int64_t d, int64_t s) {
         const Channels source = Read(src + s), dest = Read(dst + d);
         const bool white = source == Channels{255, 255, 255};
         for (int c = 0; c < 3; ++c) {
           const int transparentWhite = white ? dest[c] : source[c];
           dst[d + c] =
               static_cast<uint8_t>(mode == 9 ? transparentWhite : Blend(mode, source[c], dest[c]));
         }
       });
}

void FillWhite(uint8_t* buffer, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
               int32_t width, int32_t height, int32_t bytes) {
  for (int64_t j = int64_t{height} - 1; j >= 0; --j) {
    for (int64_t i = 0; i < width; ++i) {
      const int64_t o = Offset(bufferWidth, bufferHeight, x + i, y + j);
      if (!Inside(o, bytes)) continue;
      for (int c = 0; c < 3; ++c) buffer[o + c] = 255;
    }
  }
}

void GetPixel24(const uint8_t* buffer, int32_t x, int32_t y, uint16_t* red, uint16_t* blue,
                uint16_t* green) {
  const HostContext& host = test::InstalledCanvas();
  if (!host.valid()) return;
  if (x < 0 || y < 0 || x >= host.canvasWidth() || y >= host.canvasHeight()) return;
  const int64_t o = Offset(host.canvasWidth(), host.canvasHeight(), x, y);
  if (!Inside(o, host.canvasBytes())) return;
  *blue = buffer[o];
  *green = buffer[o + 1];
  *red = buffer[o + 2];
}

void PutPixel24(uint8_t* buffer, int32_t x, int32_t y, uint16_t red, uint16_t blue,
                uint16_t green) {
  const HostContext& host = test::InstalledCanvas();
  if (!host.valid()) return;
  const int64_t o = Offset(host.canvasWidth(), host.canvasHeight(), x, y);
  if (!Inside(o, host.canvasBytes())) return;
  buffer[o] = static_cast<uint8_t>(blue & 0xFF);
  buffer[o + 1] = static_cast<uint8_t>(green & 0xFF);
  buffer[o + 2] = static_cast<uint8_t>(red & 0xFF);
}

}  // namespace stamp::reference
