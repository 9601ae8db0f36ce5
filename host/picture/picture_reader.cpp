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

PictureRead Refused(const std::string& path, const std::string& why) {
  return {std::nullopt, PictureRefusal(path, why)};
}

PictureRead DecodePngPicture(const std::string& path, Bytes file) {
  PngReader reader(file);
  if (!reader.ReadHeader()) return Refused(path, reader.error());
  if (const std::optional<std::string> problem =
          PictureSizeProblem(path, reader.width(), reader.height())) {
    return {std::nullopt, *problem};
  }
  if (!reader.CanHoldItsPicture()) return Refused(path, "the file is too short for its size");
  std::vector<uint8_t> rgba;
  if (!reader.ReadRgba(rgba)) return Refused(path, reader.error());
  Picture picture{static_cast<int32_t>(reader.width()), static_cast<int32_t>(reader.height()), {}};
  const size_t inRow = size_t{reader.width()} * kRgbaBytes;
  const size_t outRow = size_t{reader.width()} * 3;
  picture.pixels.resize(outRow * reader.height());
  for (size_t y = 0; y < reader.height(); ++y) {
    RgbaRowOverWhite(rgba.data() + y * inRow, reader.width(), kFullOpacity,
                     picture.pixels.data() + y * outRow);
  }
  return {std::move(picture), {}};
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
  if (!decoded.image) return Refused(path, decoded.error);
  const platform::BmpFormat& format = decoded.image->format;
  if (const std::optional<std::string> problem =
          PictureSizeProblem(path, format.width, format.height)) {
    return {std::nullopt, *problem};
  }
  return {Picture{format.width, format.height, std::move(decoded.image->pixels)}, {}};
}

PictureRead ReadPicture(const std::string& path) try {
  std::string why;
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path, kMaxPictureFileBytes, &why);
  if (!bytes) return {std::nullopt, why};
  if (bytes->empty()) return Refused(path, "the file is empty");
  const Bytes file(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  if (bytes->starts_with(kBmpSignature)) return DecodeBmpPicture(path, file);
  if (PngReader::HasSignature(file)) return DecodePngPicture(path, file);
  return Refused(path, "it is neither a PNG nor a BMP picture");
} catch (const std::bad_alloc&) {
  return Refused(path, "there is not enough memory");
}

}  // namespace stamp::host
