// A BMP decoder of the platform's own: every variant a Windows loader accepts (1, 2, 4, 8, 16, 24
// and 32 bits per pixel; BI_RGB, BI_BITFIELDS, alpha bit fields, RLE8, RLE4; bottom-up and
// top-down; core, info and OS/2 2.x headers, the last uncompressed or RLE only). Reads only
// through a bounded reader: a malformed, truncated or oversized file is refused with a one-line
// reason, never read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stamp::platform {

inline constexpr int32_t kMaxBmpSide = 16384;
inline constexpr size_t kMaxBmpDecodedBytes = size_t{64} << 20;
// The largest file worth reading: the output limit at 4 stored bytes for each 3 decoded ones
// (32-bit pixels), plus room for headers and a palette.
inline constexpr uintmax_t kMaxBmpFileBytes = kMaxBmpDecodedBytes / 3 * 4 + (1u << 20);

// What the file said about itself.
struct BmpFormat {
  uint32_t headerSize = 0;  // 12 (core), 16 and 64 (OS/2 2.x), 40, 52, 56, 108, 124
  int32_t width = 0;
  int32_t height = 0;  // always positive here; topDown tells the row order of the file
  bool topDown = false;
  uint16_t bitsPerPixel = 0;
  uint32_t compression = 0;  // PLAT_BI_* values
  uint32_t paletteSize = 0;
};

struct DecodedBmp {
  BmpFormat format;
  // width x height pixels, 3 bytes each (blue, green, red), top row first, rows unpadded.
  std::vector<uint8_t> pixels;
};

struct BmpDecodeResult {
  std::optional<DecodedBmp> image;
  std::string error;  // why the file was refused, when image is empty
};

BmpDecodeResult DecodeBmp(std::span<const uint8_t> file);

// Whether the pixels fill exactly the size the format states (always so for what DecodeBmp
// gives; a copy into a bitmap checks it rather than trusting it), and row y of them.
bool FillsItsFormat(const DecodedBmp& image);
std::span<const uint8_t> DecodedRow(const DecodedBmp& image, int32_t y);

}  // namespace stamp::platform
