#include "bmp_file.h"

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

std::optional<Bmp> Fail(std::string& error, const char* reason) {
  error = reason;
  return std::nullopt;
}

}  // namespace

std::optional<Bmp> ParseBmp24(const std::vector<uint8_t>& bytes, std::string& error) {
  if (bytes.size() < kHeadersBytes) return Fail(error, "shorter than its headers");
  if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "no BM signature");
  if (U32(bytes, 2) != bytes.size()) return Fail(error, "file size field differs from the size");
  if (U32(bytes, 10) != kHeadersBytes) return Fail(error, "pixels do not follow the headers");
  if (U32(bytes, 14) != kInfoHeaderBytes) return Fail(error, "not a 40-byte info header");
  Bmp bmp;
  bmp.width = I32(bytes, 18);
  bmp.height = I32(bytes, 22);
  if (bmp.width <= 0 || bmp.height <= 0) return Fail(error, "not a bottom-up image");
  if (U16(bytes, 26) != 1) return Fail(error, "planes is not 1");
  if (U16(bytes, 28) != 24) return Fail(error, "not 24 bits per pixel");
  if (U32(bytes, 30) != 0) return Fail(error, "compressed");
  const size_t stride = (static_cast<size_t>(bmp.width) * 3 + 3) / 4 * 4;
  if (bytes.size() != kHeadersBytes + stride * static_cast<size_t>(bmp.height)) {
    return Fail(error, "pixel data size does not match the dimensions");
  }
  for (int y = 0; y < bmp.height; ++y) {
    const size_t row = kHeadersBytes + stride * static_cast<size_t>(bmp.height - 1 - y);
    for (size_t x = 0; x < static_cast<size_t>(bmp.width); ++x) {
      const size_t at = row + 3 * x;
      bmp.pixels.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
    }
  }
  return bmp;
}

}  // namespace stamp::assets_test
