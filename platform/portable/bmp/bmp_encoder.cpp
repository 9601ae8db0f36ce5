#include "platform/portable/bmp/bmp_encoder.h"

namespace stamp::platform {
namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

void PutLittle(std::vector<uint8_t>& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

size_t RowBytes(int32_t width) { return static_cast<size_t>(width) * 3; }

}  // namespace

size_t Bmp24RowPadding(int32_t width) { return (RowBytes(width) + 3) / 4 * 4 - RowBytes(width); }

std::vector<uint8_t> Bmp24Headers(int32_t width, int32_t height) {
  const size_t pixelBytes =
      (RowBytes(width) + Bmp24RowPadding(width)) * static_cast<size_t>(height);
  const uint32_t headers = kFileHeaderBytes + kInfoHeaderBytes;
  std::vector<uint8_t> bytes = {'B', 'M'};
  PutLittle(bytes, static_cast<uint32_t>(headers + pixelBytes), 4);
  PutLittle(bytes, 0, 4);  // reserved
  PutLittle(bytes, headers, 4);
  PutLittle(bytes, kInfoHeaderBytes, 4);
  PutLittle(bytes, static_cast<uint32_t>(width), 4);
  PutLittle(bytes, static_cast<uint32_t>(height), 4);  // positive: bottom-up
  PutLittle(bytes, 1, 2);                              // planes
  PutLittle(bytes, 24, 2);                             // bits per pixel
  PutLittle(bytes, 0, 4);                              // BI_RGB
  PutLittle(bytes, static_cast<uint32_t>(pixelBytes), 4);
  bytes.resize(bytes.size() + 16, 0);  // resolution, colours used and important
  return bytes;
}

std::vector<uint8_t> EncodeBmp24(const uint8_t* bottomUpRows, int32_t width, int32_t height) {
  std::vector<uint8_t> bytes = Bmp24Headers(width, height);
  const size_t rowBytes = RowBytes(width);
  const size_t padding = Bmp24RowPadding(width);
  bytes.reserve(bytes.size() + (rowBytes + padding) * static_cast<size_t>(height));
  for (int32_t stored = 0; stored < height; ++stored) {
    const uint8_t* row = bottomUpRows + rowBytes * static_cast<size_t>(stored);
    bytes.insert(bytes.end(), row, row + rowBytes);
    bytes.resize(bytes.size() + padding, 0);
  }
  return bytes;
}

}  // namespace stamp::platform
