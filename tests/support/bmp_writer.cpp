#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/portable/bmp/bmp_encoder.h"
#include "support/test_host.h"

namespace stamp::test {

// The raster already has the host's layout, so the platform's encoder, the one the reference host
// saves its buffers with, encodes it as it is.
bool WriteBmp24(const std::filesystem::path& path, const Raster& picture) {
  const std::vector<uint8_t> bytes =
      platform::EncodeBmp24(picture.data(), picture.width(), picture.height());
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
