#include "platform/posix/gdi/gdi_pixel_format.h"

#include <bit>

namespace stamp::platform {
namespace {

constexpr unsigned kChannelBits = 8;
constexpr uint32_t kChannelMax = 0xFF;
constexpr uint16_t kMaxPaletteDepth = 8;

uint8_t Channel(uint32_t color, unsigned shift) {
  return static_cast<uint8_t>((color >> shift) & kChannelMax);
}

// A channel of maskBits bits scaled to 0..255, rounding to nearest.
uint8_t ExpandChannel(uint32_t raw, uint32_t mask) {
  const uint32_t value = (raw & mask) >> std::countr_zero(mask);
  const uint32_t maximum = mask >> std::countr_zero(mask);
  return static_cast<uint8_t>((value * kChannelMax + maximum / 2) / maximum);
}

uint32_t NarrowChannel(uint8_t channel, uint32_t mask) {
  const auto bits = static_cast<unsigned>(std::popcount(mask));
  return (uint32_t{channel} >> (kChannelBits - bits)) << std::countr_zero(mask);
}

int Distance(Rgb a, Rgb b) {
  const int red = a.red - b.red;
  const int green = a.green - b.green;
  const int blue = a.blue - b.blue;
  return red * red + green * green + blue * blue;
}

uint32_t NearestEntry(const std::vector<Rgb>& palette, Rgb rgb) {
  uint32_t best = 0;
  int bestDistance = Distance(palette[0], rgb);
  for (uint32_t i = 1; i < palette.size() && bestDistance != 0; ++i) {
    const int distance = Distance(palette[i], rgb);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

// Where a pixel of fewer than 8 bits lies: the leftmost pixel takes the byte's high bits.
struct PackedPosition {
  size_t byte;
  unsigned shift;
  uint32_t mask;
};

PackedPosition Locate(size_t column, uint16_t bitsPerPixel) {
  const size_t perByte = kChannelBits / bitsPerPixel;
  const auto shift = static_cast<unsigned>((perByte - 1 - column % perByte) * bitsPerPixel);
  return {column / perByte, shift, (1u << bitsPerPixel) - 1};
}

}  // namespace

Rgb RgbFromColorRef(uint32_t color) {
  return {Channel(color, 0), Channel(color, kChannelBits), Channel(color, 2 * kChannelBits)};
}

uint32_t ColorRefFromRgb(Rgb rgb) {
  return rgb.red | (uint32_t{rgb.green} << kChannelBits) |
         (uint32_t{rgb.blue} << (2 * kChannelBits));
}

bool UsesPalette(uint16_t bitsPerPixel) { return bitsPerPixel <= kMaxPaletteDepth; }

bool IsSupportedDepth(uint16_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: return true;
    default: return false;
  }
}

std::array<uint32_t, 3> DefaultMasks(uint16_t bitsPerPixel) {
  if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
  if (UsesPalette(bitsPerPixel)) return {};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

PixelFormat MakeFormat(uint16_t bitsPerPixel, const std::vector<Rgb>& entries) {
  PixelFormat format;
  format.bitsPerPixel = bitsPerPixel;
  format.masks = DefaultMasks(bitsPerPixel);
  if (UsesPalette(bitsPerPixel)) {
    format.palette.assign(size_t{1} << bitsPerPixel, Rgb{});
    for (size_t i = 0; i < entries.size() && i < format.palette.size(); ++i) {
      format.palette[i] = entries[i];
    }
  }
  return format;
}

PixelFormat MonochromeFormat() {
  return MakeFormat(1, {Rgb{}, Rgb{kChannelMax, kChannelMax, kChannelMax}});
}

Rgb DecodePixel(const PixelFormat& format, uint32_t raw) {
  if (UsesPalette(format.bitsPerPixel)) return format.palette[raw % format.palette.size()];
  return {ExpandChannel(raw, format.masks[0]), ExpandChannel(raw, format.masks[1]),
          ExpandChannel(raw, format.masks[2])};
}

uint32_t EncodePixel(const PixelFormat& format, Rgb rgb) {
  if (UsesPalette(format.bitsPerPixel)) return NearestEntry(format.palette, rgb);
  return NarrowChannel(rgb.red, format.masks[0]) | NarrowChannel(rgb.green, format.masks[1]) |
         NarrowChannel(rgb.blue, format.masks[2]);
}

uint32_t ReadRaw(const uint8_t* row, int32_t x, uint16_t bitsPerPixel) {
  const auto column = static_cast<size_t>(x);
  if (bitsPerPixel < kChannelBits) {
    const PackedPosition at = Locate(column, bitsPerPixel);
    return (uint32_t{row[at.byte]} >> at.shift) & at.mask;
  }
  const size_t bytes = bitsPerPixel / kChannelBits;
  const uint8_t* pixel = row + column * bytes;
  uint32_t raw = 0;
  for (size_t i = 0; i < bytes; ++i) raw |= uint32_t{pixel[i]} << (kChannelBits * i);
  return raw;
}

void WriteRaw(uint8_t* row, int32_t x, uint16_t bitsPerPixel, uint32_t raw) {
  const auto column = static_cast<size_t>(x);
  if (bitsPerPixel < kChannelBits) {
    const PackedPosition at = Locate(column, bitsPerPixel);
    const uint32_t kept = row[at.byte] & ~(at.mask << at.shift);
    row[at.byte] = static_cast<uint8_t>(kept | ((raw & at.mask) << at.shift));
    return;
  }
  const size_t bytes = bitsPerPixel / kChannelBits;
  uint8_t* pixel = row + column * bytes;
  for (size_t i = 0; i < bytes; ++i) pixel[i] = static_cast<uint8_t>(raw >> (kChannelBits * i));
}

}  // namespace stamp::platform
