#include "png_writer.h"

#include <cstdio>
#include <memory>

#include <png.h>

namespace stamp::art {
namespace {

constexpr int kChannels = 4;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool WritePng(const std::filesystem::path& path, const RgbaImage& image) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  const bool written = png_image_write_to_stdio(&png, file.get(), 0, image.pixels.data(),
                                                image.width * kChannels, nullptr) != 0;
  png_image_free(&png);
  return written && std::fclose(file.release()) == 0;
}

}  // namespace stamp::art
