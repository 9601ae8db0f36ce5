#include "host/record/bmp_encoder.h"

namespace stamp::host {
namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

void PutLittle(std::vector<uint8_t>& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const RasterView& raster) {
  const size_t paddedRow = (raster.rowBytes() + 3) / 4 * 4;
  const size_t pixelBytes = paddedRow * static_cast<size_t>(raster.height);
  const uint32_t headers = kFileHeaderBytes + kInfoHeaderBytes;
  std::vector<uint8_t> bytes = {'B', 'M'};
  bytes.reserve(headers + pixelBytes);
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
  for (int32_t stored = 0; stored < raster.height; ++stored) {
    const uint8_t* row = raster.bytes + raster.rowBytes() * static_cast<size_t>(stored);
    bytes.insert(bytes.end(), row, row + raster.rowBytes());
    bytes.resize(bytes.size() + paddedRow - raster.rowBytes(), 0);
  }
  return bytes;
}

}  // namespace stamp::host
