#include "host/png_writer.h"

#include <png.h>

#include <vector>

#include "host/output_file.h"

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

// The PNG file's bytes in memory, so that the file itself is written in one atomic step.
std::string EncodePng(const Picture24& picture, std::vector<uint8_t>& bytes) {
  if (std::string error = CheckPicture(picture); !error.empty()) return error;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = picture.order == ChannelOrder::kBgr ? PNG_FORMAT_BGR : PNG_FORMAT_RGB;
  // A negative stride tells libpng that the rows are stored bottom row first.
  const auto stride = static_cast<png_int_32>(picture.rowStride) * (picture.bottomUp ? -1 : 1);
  const auto failed = [&image] {
    std::string reason = image.message;
    png_image_free(&image);
    return reason;
  };
  // The first call measures, the second writes.
  png_alloc_size_t size = 0;
  if (png_image_write_get_memory_size(image, size, 0, picture.pixels.data(), stride, nullptr) == 0)
    return failed();
  bytes.resize(size);
  if (png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.pixels.data(), stride,
                                nullptr) == 0)
    return failed();
  bytes.resize(size);
  return {};
}

}  // namespace

std::string WritePng(const std::filesystem::path& path, const Picture24& picture) {
  std::vector<uint8_t> bytes;
  if (std::string error = EncodePng(picture, bytes); !error.empty()) {
    return "cannot write " + path.string() + ": " + error;
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace stamp::host
