#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "host/record/bmp_encoder.h"
#include "support/test_host.h"

namespace stamp::test {

// The raster already has the host's layout, so the host record library's writer, the one the
// reference host saves its buffers with, encodes it as it is (it only reads the bytes).
bool WriteBmp24(const std::filesystem::path& path, const Raster& picture) {
  const host::RasterView raster{const_cast<uint8_t*>(picture.data()), picture.width(),
                                picture.height()};
  const std::vector<uint8_t> bytes = host::EncodeBmp24(raster);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

std::u16string WriteSheet(const std::filesystem::path& path, const Raster& picture) {
  EXPECT_TRUE(WriteBmp24(path, picture)) << path;
  return WindowsPath(path);
}

}  // namespace stamp::test
