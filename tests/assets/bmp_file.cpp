#include "bmp_file.h"

#include <algorithm>

namespace stamp::assets_test {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr size_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

int32_t I32(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<int32_t>(U32(bytes, at));
}

std::optional<Raster> Fail(std::string& error, const char* reason) {
  error = reason;
  return std::nullopt;
}

}  // namespace

std::optional<Raster> ParseBmp24(const std::vector<uint8_t>& bytes, std::string& error) {
  if (bytes.size() < kHeadersBytes) return Fail(error, "shorter than its headers");
  if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "no BM signature");
  if (U32(bytes, 2) != bytes.size()) return Fail(error, "file size field differs from the size");
  if (U32(bytes, 10) != kHeadersBytes) return Fail(error, "pixels do not follow the headers");
  if (U32(bytes, 14) != kInfoHeaderBytes) return Fail(error, "not a 40-byte info header");
  const int32_t width = I32(bytes, 18);
  const int32_t height = I32(bytes, 22);
  if (width <= 0 || height <= 0) return Fail(error, "not a bottom-up image");
  if (U16(bytes, 26) != 1) return Fail(error, "planes is not 1");
  if (U16(bytes, 28) != 24) return Fail(error, "not 24 bits per pixel");
  if (U32(bytes, 30) != 0) return Fail(error, "compressed");
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  const size_t stride = (rowBytes + 3) / 4 * 4;
  if (bytes.size() != kHeadersBytes + stride * static_cast<size_t>(height)) {
    return Fail(error, "pixel data size does not match the dimensions");
  }
  // The file's rows and the raster's are both stored bottom-up; only the padding goes.
  Raster raster(width, height);
  for (size_t row = 0; row < static_cast<size_t>(height); ++row) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(kHeadersBytes + stride * row), rowBytes,
                raster.data() + rowBytes * row);
  }
  return raster;
}

}  // namespace stamp::assets_test
