#include "host/output/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/output/output_file.h"
#include "host/output/png_rows.h"

namespace stamp::host {
namespace {

// libpng reports a failure by calling this, which keeps the reason and jumps back to the
// setjmp in WriteRows.
[[noreturn]] void KeepError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The libpng calls between the setjmp and its end hold no object with a destructor, so a jump
// back leaves nothing behind; the caller owns the row and where the bytes go.
bool WriteRows(png_structp png, png_infop info, const RowPicture& picture, uint8_t* row) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  png_write_info(png, info);
  if (picture.order == ChannelOrder::kBgr) png_set_bgr(png);
  for (int32_t y = 0; y < picture.height; ++y) {
    picture.rows(y, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

// Encodes the picture to where output points libpng (png_init_io or png_set_write_fn), or fails
// saying why the encoding failed.
Status Encode(const RowPicture& picture, const std::function<void(png_structp)>& output) {
  if (picture.width <= 0 || picture.height <= 0) return Failure{"picture has no pixels"};
  std::vector<uint8_t> row(size_t(picture.width) * 3);
  std::string reason;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, KeepError, IgnoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info != nullptr) output(png);
  const bool written = info != nullptr && WriteRows(png, info, picture, row.data());
  png_destroy_write_struct(&png, &info);
  if (written) return {};
  return Failure{reason.empty() ? "write failed" : reason};
}

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void FlushNothing(png_structp) {}

}  // namespace

Status WritePng(const std::filesystem::path& path, const RowPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0) return Failure{"picture has no pixels"};
  return WriteAtomically(path, [&picture](std::FILE* file) -> Status {
    Status encoded = Encode(picture, [file](png_structp png) { png_init_io(png, file); });
    const int cause = errno;  // a failed write of the file's own, such as a full disk
    if (!encoded.ok() && std::ferror(file)) return Failure{std::strerror(cause)};
    return encoded;
  });
}

Status WritePng(const std::filesystem::path& path, const Picture24& picture) {
  STAMP_TRY(CheckPicture(picture));
  return WritePng(path, PictureRows(picture));
}

Result<std::vector<uint8_t>> EncodePng(const Picture24& picture) {
  STAMP_TRY(CheckPicture(picture));
  std::vector<uint8_t> png;
  const Status encoded = Encode(PictureRows(picture), [&png](png_structp writer) {
    png_set_write_fn(writer, &png, AppendBytes, FlushNothing);
  });
  if (!encoded.ok()) return Failure{"cannot encode a PNG picture: " + encoded.error()};
  return png;
}

}  // namespace stamp::host
