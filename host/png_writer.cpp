#include "host/png_writer.h"

#include <png.h>

namespace stamp::host {
namespace {

std::string CheckPicture(const Picture24& picture) {
  if (picture.width <= 0 || picture.height <= 0) return "picture has no pixels";
  const size_t rowBytes = size_t(picture.width) * 3;
  if (picture.rowStride < rowBytes) return "row stride shorter than a row";
  const size_t needed = picture.rowStride * size_t(picture.height - 1) + rowBytes;
  if (picture.pixels.size() < needed) return "picture buffer shorter than its rows";
  return {};
}

png_image ImageHeader(const Picture24& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = picture.order == ChannelOrder::kBgr ? PNG_FORMAT_BGR : PNG_FORMAT_RGB;
  return image;
}

// A negative stride tells libpng that the rows are stored bottom row first.
png_int_32 SignedStride(const Picture24& picture) {
  return static_cast<png_int_32>(picture.rowStride) * (picture.bottomUp ? -1 : 1);
}

}  // namespace

std::string WritePng(const std::filesystem::path& path, const Picture24& picture) {
  if (std::string error = CheckPicture(picture); !error.empty()) return error;
  png_image image = ImageHeader(picture);
  if (png_image_write_to_file(&image, path.c_str(), 0, picture.pixels.data(), SignedStride(picture),
                              nullptr) == 0) {
    std::string reason = image.message;
    png_image_free(&image);
    return "cannot write " + path.string() + ": " + reason;
  }
  return {};
}

// Asks libpng for the size first, then encodes into a buffer of that size.
std::string EncodePng(const Picture24& picture, std::vector<uint8_t>& png) {
  if (std::string error = CheckPicture(picture); !error.empty()) return error;
  png_image image = ImageHeader(picture);
  png_alloc_size_t size = 0;
  const auto encode = [&](void* memory) {
    return png_image_write_to_memory(&image, memory, &size, 0, picture.pixels.data(),
                                     SignedStride(picture), nullptr) != 0;
  };
  if (encode(nullptr)) {
    png.resize(size);
    if (encode(png.data())) return {};
  }
  std::string reason = image.message;
  png_image_free(&image);
  return "cannot encode a PNG picture: " + reason;
}

}  // namespace stamp::host
