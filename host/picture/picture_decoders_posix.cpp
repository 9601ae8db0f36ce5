#include "host/picture/picture_decoders.h"

#include "host/picture/picture_header.h"
#include "host/picture/png_reader.h"

namespace stamp::host {

Status DecodeNonBmpRows(const std::string& path, std::span<const uint8_t> file, PictureRows& rows) {
  if (!PngReader::HasSignature(file))
    return PictureRefusal(path, "it is neither a PNG nor a BMP picture");
  PngReader reader(file);
  if (!reader.ReadHeader()) return PictureRefusal(path, reader.error());
  STAMP_TRY(CheckPictureSize(path, reader.width(), reader.height()));
  if (!reader.CanHoldItsPicture()) return PictureRefusal(path, kTooShortForItsSize);
  rows.Size(static_cast<int32_t>(reader.width()), static_cast<int32_t>(reader.height()));
  std::vector<uint8_t> bgr(size_t{reader.width()} * 3);
  const bool read = reader.ReadRowByRow([&](const uint8_t* rgba) {
    RgbaRowOverWhite(rgba, reader.width(), kFullOpacity, bgr.data());
    rows.Row(bgr.data());
  });
  if (!read) return PictureRefusal(path, reader.error());
  return {};
}

}  // namespace stamp::host
