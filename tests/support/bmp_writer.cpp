#include "support/bmp_writer.h"

#include <fstream>

namespace stamp::test {
namespace {

constexpr uint32_t kHeadersBytes = 14 + 40;

void PutLittle(std::vector<uint8_t>& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

bool WriteBmp24(const std::filesystem::path& path, const RgbPicture& picture) {
  const auto rowBytes = static_cast<uint32_t>((picture.width() * 3 + 3) / 4 * 4);
  const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(picture.height());
  std::vector<uint8_t> bytes = {'B', 'M'};
  PutLittle(bytes, kHeadersBytes + pixelBytes, 4);
  PutLittle(bytes, 0, 4);  // reserved
  PutLittle(bytes, kHeadersBytes, 4);
  PutLittle(bytes, 40, 4);
  PutLittle(bytes, static_cast<uint32_t>(picture.width()), 4);
  PutLittle(bytes, static_cast<uint32_t>(picture.height()), 4);
  PutLittle(bytes, 1, 2);   // planes
  PutLittle(bytes, 24, 2);  // bits per pixel
  PutLittle(bytes, 0, 4);   // BI_RGB
  PutLittle(bytes, pixelBytes, 4);
  bytes.resize(bytes.size() + 16, 0);  // resolution, colours used and important
  for (int32_t y = picture.height() - 1; y >= 0; --y) {
    const size_t rowStart = bytes.size();
    for (int32_t x = 0; x < picture.width(); ++x) {
      const RgbPixel& p = picture.at(x, y);
      bytes.insert(bytes.end(), {p.blue, p.green, p.red});
    }
    bytes.resize(rowStart + rowBytes, 0);
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace stamp::test
