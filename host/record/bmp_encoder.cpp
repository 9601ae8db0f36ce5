#include "host/record/bmp_encoder.h"

namespace stamp::host {
namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

void PutLittle(std::vector<uint8_t>& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

size_t Bmp24RowPadding(const RasterView& raster) {
  return (raster.rowBytes() + 3) / 4 * 4 - raster.rowBytes();
}

std::vector<uint8_t> Bmp24Headers(const RasterView& raster) {
  const size_t pixelBytes =
      (raster.rowBytes() + Bmp24RowPadding(raster)) * static_cast<size_t>(raster.height);
  const uint32_t headers = kFileHeaderBytes + kInfoHeaderBytes;
  std::vector<uint8_t> bytes = {'B', 'M'};
  PutLittle(bytes, static_cast<uint32_t>(headers + pixelBytes), 4);
  PutLittle(bytes, 0, 4);  // reserved
  PutLittle(bytes, headers, 4);
  PutLittle(bytes, kInfoHeaderBytes, 4);
  PutLittle(bytes, static_cast<uint32_t>(raster.width), 4);
  PutLittle(bytes, static_cast<uint32_t>(raster.height), 4);  // positive: bottom-up
  PutLittle(bytes, 1, 2);                                     // planes
  PutLittle(bytes, 24, 2);                                    // bits per pixel
  PutLittle(bytes, 0, 4);                                     // BI_RGB
  PutLittle(bytes, static_cast<uint32_t>(pixelBytes), 4);
  bytes.resize(bytes.size() + 16, 0);  // resolution, colours used and important
  return bytes;
}

std::vector<uint8_t> EncodeBmp24(const RasterView& raster) {
  std::vector<uint8_t> bytes = Bmp24Headers(raster);
  const size_t padding = Bmp24RowPadding(raster);
  bytes.reserve(bytes.size() + (raster.rowBytes() + padding) * static_cast<size_t>(raster.height));
  for (int32_t stored = 0; stored < raster.height; ++stored) {
    const uint8_t* row = raster.bytes + raster.rowBytes() * static_cast<size_t>(stored);
    bytes.insert(bytes.end(), row, row + raster.rowBytes());
    bytes.resize(bytes.size() + padding, 0);
  }
  return bytes;
}

}  // namespace stamp::host
