#include "host/picture/picture_reader.h"

#include <new>

#include "host/picture/png_reader.h"
#include "host/record/canvas_size.h"
#include "platform/support/bmp_decoder.h"
#include "platform/support/safe_file.h"

namespace stamp::host {
namespace {

using Bytes = std::span<const uint8_t>;

constexpr char kBmpSignature[] = "BM";

std::string DecodePngRows(const std::string& path, Bytes file, PictureRows& rows) {
  PngReader reader(file);
  if (!reader.ReadHeader()) return PictureRefusal(path, reader.error());
  if (const std::optional<std::string> problem =
          PictureSizeProblem(path, reader.width(), reader.height())) {
    return *problem;
  }
  if (!reader.CanHoldItsPicture())
    return PictureRefusal(path, "the file is too short for its size");
  rows.Size(static_cast<int32_t>(reader.width()), static_cast<int32_t>(reader.height()));
  std::vector<uint8_t> bgr(size_t{reader.width()} * 3);
  const bool read = reader.ReadRowByRow([&](const uint8_t* rgba) {
    RgbaRowOverWhite(rgba, reader.width(), kFullOpacity, bgr.data());
    rows.Row(bgr.data());
  });
  return read ? std::string() : PictureRefusal(path, reader.error());
}

std::string DecodeBmpRows(const std::string& path, Bytes file, PictureRows& rows) {
  const PictureRead read = DecodeBmpPicture(path, file);
  if (!read.picture) return read.error;
  const Picture& picture = *read.picture;
  rows.Size(picture.width, picture.height);
  const size_t rowBytes = size_t(picture.width) * 3;
  for (size_t y = 0; y < size_t(picture.height); ++y)
    rows.Row(picture.pixels.data() + y * rowBytes);
  return {};
}

}  // namespace

std::string PictureRefusal(const std::string& path, const std::string& why) {
  return path + " cannot be read: " + why;
}

std::optional<std::string> PictureSizeProblem(const std::string& path, int64_t width,
                                              int64_t height) {
  const std::string problem = CanvasSizeProblem(width, height);
  if (problem.empty()) return std::nullopt;
  return path + " is too large (" + std::to_string(width) + "x" + std::to_string(height) +
         "): " + problem;
}

PictureRead DecodeBmpPicture(const std::string& path, Bytes file) {
  platform::BmpDecodeResult decoded = platform::DecodeBmp(file);
  if (!decoded.image) return {std::nullopt, PictureRefusal(path, decoded.error)};
  const platform::BmpFormat& format = decoded.image->format;
  if (const std::optional<std::string> problem =
          PictureSizeProblem(path, format.width, format.height)) {
    return {std::nullopt, *problem};
  }
  return {Picture{format.width, format.height, std::move(decoded.image->pixels)}, {}};
}

std::string ReadPictureRows(const std::string& path, PictureRows& rows) try {
  std::string why;
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path, kMaxPictureFileBytes, &why);
  if (!bytes) return why;
  if (bytes->empty()) return PictureRefusal(path, "the file is empty");
  const Bytes file(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  if (bytes->starts_with(kBmpSignature)) return DecodeBmpRows(path, file, rows);
  if (PngReader::HasSignature(file)) return DecodePngRows(path, file, rows);
  return PictureRefusal(path, "it is neither a PNG nor a BMP picture");
} catch (const std::bad_alloc&) {
  return PictureRefusal(path, "there is not enough memory");
}

}  // namespace stamp::host
