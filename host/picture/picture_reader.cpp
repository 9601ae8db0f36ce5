#include "host/picture/picture_reader.h"

#include <new>

#include "host/picture/picture_decoders.h"
#include "host/record/canvas_size.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/support/safe_file.h"

namespace stamp::host {
namespace {

using Bytes = std::span<const uint8_t>;

constexpr char kBmpSignature[] = "BM";

Status DecodeBmpRows(const std::string& path, Bytes file, PictureRows& rows) {
  const Result<Picture> read = DecodeBmpPicture(path, file);
  STAMP_TRY(read);
  const Picture& picture = *read;
  rows.Size(picture.width, picture.height);
  const size_t rowBytes = size_t(picture.width) * 3;
  for (size_t y = 0; y < size_t(picture.height); ++y)
    rows.Row(picture.pixels.data() + y * rowBytes);
  return {};
}

}  // namespace

Failure PictureRefusal(const std::string& path, const std::string& why) {
  return {path + " cannot be read: " + why};
}

Status CheckPictureSize(const std::string& path, int64_t width, int64_t height) {
  const Status fits = CheckCanvasSize(width, height);
  if (fits.ok()) return {};
  return Failure{path + " is too large (" + std::to_string(width) + "x" + std::to_string(height) +
                 "): " + fits.error()};
}

Result<Picture> DecodeBmpPicture(const std::string& path, Bytes file) {
  platform::BmpDecodeResult decoded = platform::DecodeBmp(file);
  if (!decoded.image) return PictureRefusal(path, decoded.error);
  const platform::BmpFormat& format = decoded.image->format;
  STAMP_TRY(CheckPictureSize(path, format.width, format.height));
  return Picture{format.width, format.height, std::move(decoded.image->pixels)};
}

Status ReadPictureRows(const std::string& path, PictureRows& rows) try {
  std::string why;
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path, kMaxPictureFileBytes, &why);
  if (!bytes) return Failure{why};
  if (bytes->empty()) return PictureRefusal(path, "the file is empty");
  const Bytes file(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  if (bytes->starts_with(kBmpSignature)) return DecodeBmpRows(path, file, rows);
  return DecodeNonBmpRows(path, file, rows);
} catch (const std::bad_alloc&) {
  return PictureRefusal(path, "there is not enough memory");
}

}  // namespace stamp::host
