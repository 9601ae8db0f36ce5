// The decoder's view of a BMP file once its headers have been read and checked against the file:
// where the pixel rows lie, how wide they are, the palette and the channel masks. Everything here
// has been validated, so the pixel decoders only walk rows that are known to lie inside the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/portable/bmp/bmp_decoder.h"

namespace stamp::platform {

using BmpColor = std::array<uint8_t, 3>;  // blue, green, red

// One colour channel of a 16- or 32-bit pixel: its bits, and the top level they can hold.
struct BmpChannel {
  uint32_t mask = 0;
  uint32_t shift = 0;
  uint32_t maxLevel = 0;  // mask >> shift, never 0
};

struct BmpLayout {
  BmpFormat format;
  size_t dataOffset = 0;                 // first byte of the pixel data (or of the RLE stream)
  size_t stride = 0;                     // bytes of one stored row, padded to a multiple of 4
  size_t rowBytes = 0;                   // bytes of one row without its padding
  std::array<BmpChannel, 3> channels{};  // blue, green, red; used for 16 and 32 bits
  // For 1, 4 and 8 bits: 2^bitsPerPixel entries, so every index has one. Entries past the
  // file's colour table are black.
  std::vector<BmpColor> palette;
};

struct BmpLayoutResult {
  std::optional<BmpLayout> layout;
  std::string error;
};

// Reads and checks the file header, the bitmap header, the masks and the colour table, and
// checks that the pixel data lies inside the file. Allocates nothing but the palette.
BmpLayoutResult ReadBmpLayout(std::span<const uint8_t> file);

// Decodes an RLE8 or RLE4 stream into pixels (width x height x 3, top row first), which the caller
// has filled with palette entry 0: pixels the stream skips keep that colour. Runs that reach past
// a row are cut at the row's end, and moves past the last row end the picture. Gives an empty
// string, or the reason the stream was refused.
std::string DecodeBmpRle(std::span<const uint8_t> stream, const BmpLayout& layout,
                         std::span<uint8_t> pixels);

}  // namespace stamp::platform
