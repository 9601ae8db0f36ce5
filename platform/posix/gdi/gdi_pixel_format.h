// How a bitmap stores a pixel, and conversion between a stored pixel value and RGB.
// Stored values ("raw") are what one pixel occupies in memory: a palette index for 1, 4 and
// 8 bits per pixel, the little-endian 16-, 24- or 32-bit word otherwise, read through the
// format's channel masks (24 bits: blue in the low byte, red in the high one).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/portable/bitmap_limits.h"

namespace stamp::platform {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// A colour value 0x00BBGGRR; the top byte is ignored.
Rgb RgbFromColorRef(uint32_t color);
uint32_t ColorRefFromRgb(Rgb rgb);

struct PixelFormat {
  uint16_t bitsPerPixel = 24;
  // Red, green, blue masks of the stored word (16, 24 and 32 bits); contiguous, up to 8 bits each.
  std::array<uint32_t, 3> masks{};
  // 2^bitsPerPixel entries for 1, 4 and 8 bits per pixel; empty otherwise.
  std::vector<Rgb> palette;
  bool operator==(const PixelFormat&) const = default;
};

// The formats Windows gives without explicit masks: 5-5-5 for 16 bits, 8-8-8 for 24 and 32.
std::array<uint32_t, 3> DefaultMasks(uint16_t bitsPerPixel);
bool UsesPalette(uint16_t bitsPerPixel);
bool IsSupportedDepth(uint16_t bitsPerPixel);

// A format of that depth: the default masks, or for palette depths a palette of 2^bits entries
// taken from entries (extra ones dropped, missing ones black).
PixelFormat MakeFormat(uint16_t bitsPerPixel, const std::vector<Rgb>& entries = {});
// The 1-bit format with entry 0 black and entry 1 white.
PixelFormat MonochromeFormat();

Rgb DecodePixel(const PixelFormat& format, uint32_t raw);
// The stored value closest to rgb: the nearest palette entry (first on ties), or each channel
// truncated to its mask's width.
uint32_t EncodePixel(const PixelFormat& format, Rgb rgb);

// The stored value of pixel x in a row (bitsPerPixel from the format), and its inverse.
uint32_t ReadRaw(const uint8_t* row, int32_t x, uint16_t bitsPerPixel);
void WriteRaw(uint8_t* row, int32_t x, uint16_t bitsPerPixel, uint32_t raw);

}  // namespace stamp::platform
