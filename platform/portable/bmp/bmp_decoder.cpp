// Choices where Windows loaders differ or files go wrong:
//  - An index past the file's colour table shows black (the table is padded to 2^bits entries).
//  - Pixels an RLE stream never writes (skipped by a move, or left by an early end of line or end
//    of bitmap) take palette entry 0; runs reaching past a row are cut at the row's end.
//  - A 16- or 32-bit channel of n bits is scaled to the nearest of the 256 levels:
//    level * 255 / (2^n - 1), rounded, so its top level is 255 whichever its width.
//  - The last row may lack its padding bytes, never its pixels: any other shortfall is refused.
#include <algorithm>

#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/bmp/bmp_layout.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

uint8_t ScaleLevel(uint32_t pixel, const BmpChannel& channel) {
  const uint64_t level = (pixel & channel.mask) >> channel.shift;
  return static_cast<uint8_t>((level * 255 + channel.maxLevel / 2) / channel.maxLevel);
}

void PutColor(const BmpColor& color, uint8_t* out) { std::copy_n(color.begin(), 3, out); }

// 1, 4 and 8 bits: indices packed from the most significant bits of each byte.
void DecodeIndexedRow(const uint8_t* row, const BmpLayout& layout, uint8_t* out) {
  const uint32_t bits = layout.format.bitsPerPixel;
  const uint32_t perByte = 8 / bits;
  const uint32_t indexMask = (1u << bits) - 1;
  for (int32_t x = 0; x < layout.format.width; ++x, out += 3) {
    const auto ux = static_cast<uint32_t>(x);
    const uint32_t shift = 8 - bits * (ux % perByte + 1);
    PutColor(layout.palette[(uint32_t{row[ux / perByte]} >> shift) & indexMask], out);
  }
}

void DecodeBgrRow(const uint8_t* row, const BmpLayout& layout, uint8_t* out) {
  std::copy_n(row, size_t(layout.format.width) * 3, out);
}

// 16 and 32 bits: little-endian pixels split by the channel masks.
void DecodeMaskedRow(const uint8_t* row, const BmpLayout& layout, uint8_t* out) {
  const size_t pixelBytes = layout.format.bitsPerPixel / 8u;
  for (int32_t x = 0; x < layout.format.width; ++x, row += pixelBytes, out += 3) {
    uint32_t pixel = 0;
    for (size_t b = pixelBytes; b-- > 0;) pixel = (pixel << 8) | row[b];
    for (size_t c = 0; c < 3; ++c) out[c] = ScaleLevel(pixel, layout.channels[c]);
  }
}

using RowDecoder = void (*)(const uint8_t* row, const BmpLayout& layout, uint8_t* out);

RowDecoder PickRowDecoder(uint16_t bitsPerPixel) {
  if (bitsPerPixel <= 8) return DecodeIndexedRow;
  if (bitsPerPixel == 24) return DecodeBgrRow;
  return DecodeMaskedRow;
}

// Every row was checked to lie inside the file when the layout was read.
void DecodeRows(std::span<const uint8_t> file, const BmpLayout& layout, std::span<uint8_t> pixels) {
  const RowDecoder decodeRow = PickRowDecoder(layout.format.bitsPerPixel);
  const auto height = static_cast<size_t>(layout.format.height);
  const size_t outStride = size_t(layout.format.width) * 3;
  for (size_t stored = 0; stored < height; ++stored) {
    const size_t outRow = layout.format.topDown ? stored : height - 1 - stored;
    decodeRow(file.data() + layout.dataOffset + stored * layout.stride, layout,
              pixels.data() + outRow * outStride);
  }
}

bool IsRle(uint32_t compression) {
  return compression == PLAT_BI_RLE8 || compression == PLAT_BI_RLE4;
}

}  // namespace

BmpDecodeResult DecodeBmp(std::span<const uint8_t> file) {
  BmpLayoutResult read = ReadBmpLayout(file);
  if (!read.layout) return {std::nullopt, std::move(read.error)};
  const BmpLayout& layout = *read.layout;
  DecodedBmp image{layout.format, {}};
  const size_t pixelCount = size_t(layout.format.width) * size_t(layout.format.height);
  image.pixels.resize(pixelCount * 3);
  if (!IsRle(layout.format.compression)) {
    DecodeRows(file, layout, image.pixels);
    return {std::move(image), {}};
  }
  for (size_t i = 0; i < pixelCount; ++i) PutColor(layout.palette[0], &image.pixels[i * 3]);
  std::string error = DecodeBmpRle(file.subspan(layout.dataOffset), layout, image.pixels);
  if (!error.empty()) return {std::nullopt, std::move(error)};
  return {std::move(image), {}};
}

namespace {

constexpr size_t kDecodedBytesPerPixel = 3;

size_t DecodedRowBytes(const DecodedBmp& image) {
  return static_cast<size_t>(image.format.width) * kDecodedBytesPerPixel;
}

}  // namespace

bool FillsItsFormat(const DecodedBmp& image) {
  const BmpFormat& format = image.format;
  return format.width > 0 && format.height > 0 &&
         image.pixels.size() == DecodedRowBytes(image) * static_cast<size_t>(format.height);
}

std::span<const uint8_t> DecodedRow(const DecodedBmp& image, int32_t y) {
  const size_t rowBytes = DecodedRowBytes(image);
  return std::span(image.pixels).subspan(static_cast<size_t>(y) * rowBytes, rowBytes);
}

}  // namespace stamp::platform
