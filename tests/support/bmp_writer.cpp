#include "support/bmp_writer.h"

#include <fstream>

#include "host/record/bmp_encoder.h"

namespace stamp::test {

// The picture is laid out as a host raster (B,G,R, bottom-up) and encoded by the host record
// library's writer, the one the reference host saves its buffers with.
bool WriteBmp24(const std::filesystem::path& path, const RgbPicture& picture) {
  std::vector<uint8_t> pixels(static_cast<size_t>(picture.width()) * picture.height() * 3);
  const host::RasterView raster{pixels.data(), picture.width(), picture.height()};
  for (int32_t y = 0; y < picture.height(); ++y) {
    for (int32_t x = 0; x < picture.width(); ++x) {
      const RgbPixel& p = picture.at(x, y);
      uint8_t* pixel = raster.pixel(x, y);
      pixel[0] = p.blue;
      pixel[1] = p.green;
      pixel[2] = p.red;
    }
  }
  const std::vector<uint8_t> bytes = host::EncodeBmp24(raster);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace stamp::test
