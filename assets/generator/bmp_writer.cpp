#include "bmp_writer.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace stamp::art {
namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint16_t kBitsPerPixel = 24;
constexpr uint32_t kBytesPerPixel = 3;
constexpr uint32_t kRowAlignment = 4;
// 2835 pixels per metre is 72 dots per inch, the value most writers put in these fields.
constexpr int32_t kPixelsPerMetre = 2835;

class ByteSink {
 public:
  void U16(uint16_t value) { Little(value, sizeof value); }
  void U32(uint32_t value) { Little(value, sizeof value); }
  void I32(int32_t value) { Little(static_cast<uint32_t>(value), sizeof value); }
  void Byte(uint8_t value) { bytes_.push_back(value); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  void Little(uint32_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
};

uint32_t RowBytes(const Image& image) {
  const uint32_t raw = static_cast<uint32_t>(image.Width()) * kBytesPerPixel;
  return (raw + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

void PutHeaders(ByteSink& sink, const Image& image) {
  const uint32_t pixelBytes = RowBytes(image) * static_cast<uint32_t>(image.Height());
  const uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
  sink.Byte('B');
  sink.Byte('M');
  sink.U32(pixelOffset + pixelBytes);
  sink.U32(0);  // two reserved 16-bit fields
  sink.U32(pixelOffset);

  sink.U32(kInfoHeaderBytes);
  sink.I32(image.Width());
  sink.I32(image.Height());  // positive: rows are stored bottom-up
  sink.U16(1);               // planes
  sink.U16(kBitsPerPixel);
  sink.U32(0);  // BI_RGB, uncompressed
  sink.U32(pixelBytes);
  sink.I32(kPixelsPerMetre);
  sink.I32(kPixelsPerMetre);
  sink.U32(0);  // colours used: no colour table
  sink.U32(0);  // colours important
}

void PutPixels(ByteSink& sink, const Image& image) {
  const uint32_t padding = RowBytes(image) - static_cast<uint32_t>(image.Width()) * kBytesPerPixel;
  for (int y = image.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb& pixel = image.At(x, y);
      sink.Byte(pixel.b);
      sink.Byte(pixel.g);
      sink.Byte(pixel.r);
    }
    for (uint32_t i = 0; i < padding; ++i) sink.Byte(0);
  }
}

bool WriteFile(const std::filesystem::path& path, const ByteSink& sink) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const auto& bytes = sink.Bytes();
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

// An icon file: a 6-byte directory header, one 16-byte entry, then the image as a BMP without
// its file header: the info header with twice the height (colours and mask stacked), the
// palette, the 4-bit colour rows and the 1-bit mask rows, both bottom-up.
constexpr uint16_t kIconType = 1;
constexpr uint16_t kIconBits = 4;
constexpr uint32_t kIconColours = 16;
constexpr uint32_t kIconDirectoryBytes = 6 + 16;
constexpr uint32_t kIconColourRowBytes = kIconSide / 2;
constexpr uint32_t kIconMaskRowBytes = kIconSide / 8;
constexpr uint32_t kIconImageBytes =
    kInfoHeaderBytes + kIconColours * 4 + (kIconColourRowBytes + kIconMaskRowBytes) * kIconSide;

std::optional<uint8_t> PaletteIndex(Rgb pixel) {
  if (pixel == kTransparent) return 0;
  const auto* found = std::find(std::begin(kIconPalette), std::end(kIconPalette), pixel);
  if (found == std::end(kIconPalette)) return std::nullopt;
  return static_cast<uint8_t>(found - std::begin(kIconPalette));
}

void PutIconHeaders(ByteSink& sink) {
  sink.U16(0);
  sink.U16(kIconType);
  sink.U16(1);  // one image
  sink.Byte(kIconSide);
  sink.Byte(kIconSide);
  sink.Byte(kIconColours);
  sink.Byte(0);
  sink.U16(1);  // planes
  sink.U16(kIconBits);
  sink.U32(kIconImageBytes);
  sink.U32(kIconDirectoryBytes);

  sink.U32(kInfoHeaderBytes);
  sink.I32(kIconSide);
  sink.I32(2 * kIconSide);
  sink.U16(1);
  sink.U16(kIconBits);
  sink.U32(0);
  sink.U32((kIconColourRowBytes + kIconMaskRowBytes) * kIconSide);
  sink.I32(0);
  sink.I32(0);
  sink.U32(0);
  sink.U32(0);
  for (const Rgb& colour : kIconPalette) {
    sink.Byte(colour.b);
    sink.Byte(colour.g);
    sink.Byte(colour.r);
    sink.Byte(0);
  }
}

bool PutIconPixels(ByteSink& sink, const Image& image) {
  for (int y = kIconSide - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSide; x += 2) {
      const auto left = PaletteIndex(image.At(x, y));
      const auto right = PaletteIndex(image.At(x + 1, y));
      if (!left || !right) return false;
      sink.Byte(static_cast<uint8_t>(*left << 4 | *right));
    }
  }
  for (int y = kIconSide - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSide; x += 8) {
      uint8_t mask = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if (image.At(x + bit, y) == kTransparent) mask = static_cast<uint8_t>(mask | 0x80 >> bit);
      }
      sink.Byte(mask);
    }
  }
  return true;
}

}  // namespace

bool WriteIcon(const std::filesystem::path& path, const Image& image) {
  if (image.Width() != kIconSide || image.Height() != kIconSide) return false;
  ByteSink sink;
  PutIconHeaders(sink);
  return PutIconPixels(sink, image) && WriteFile(path, sink);
}

bool WriteBmp(const std::filesystem::path& path, const Image& image) {
  ByteSink sink;
  PutHeaders(sink, image);
  PutPixels(sink, image);
  return WriteFile(path, sink);
}

}  // namespace stamp::art
