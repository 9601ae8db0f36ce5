#include "host/ora/png_layer.h"

#include <cmath>

#include "host/ora/layered_picture.h"
#include "host/picture/png_reader.h"

namespace stamp::ora {

host::Status CheckLayerPng(const std::string& name, const std::vector<uint8_t>& png, int32_t width,
                           int32_t height) {
  using host::Failure;
  if (!host::PngReader::HasSignature(png)) return Failure{name + " is not a PNG picture"};
  host::PngReader reader(png);
  if (!reader.ReadHeader()) return Failure{name + " is damaged: " + reader.error()};
  if (reader.width() != static_cast<uint32_t>(width) ||
      reader.height() != static_cast<uint32_t>(height)) {
    return Failure{name + " is " + std::to_string(reader.width()) + "x" +
                   std::to_string(reader.height()) + ", not the picture's " +
                   std::to_string(width) + "x" + std::to_string(height)};
  }
  if (!reader.CanHoldItsPicture()) {
    return Failure{name + " is damaged: " + std::to_string(png.size()) +
                   " bytes cannot hold a picture of its size"};
  }
  return {};
}

host::Status DecodeLayerOverWhite(const std::string& name, const std::vector<uint8_t>& png,
                                  int32_t width, int32_t height, double opacity, uint8_t* pixels,
                                  const ReadProgress& progress) {
  using host::Failure;
  STAMP_TRY(CheckLayerPng(name, png, width, height));
  host::PngReader reader(png);
  reader.ReadHeader();  // it held when the layer was checked
  const auto layerOpacity = static_cast<uint32_t>(std::lround(opacity * host::kFullOpacity));
  const size_t rowBytes = static_cast<size_t>(width) * kBytesPerPixel;
  // Each row goes straight into its place: the record keeps the bottom row first. A check
  // lays every row into one row of its own.
  std::vector<uint8_t> dropped(pixels == nullptr ? rowBytes : 0);
  uint8_t* next = pixels == nullptr ? nullptr : pixels + rowBytes * static_cast<size_t>(height);
  const bool read = reader.ReadRowByRow(
      [&](const uint8_t* rgba) {
        uint8_t* row = pixels == nullptr ? dropped.data() : (next -= rowBytes);
        host::RgbaRowOverWhite(rgba, static_cast<uint32_t>(width), layerOpacity, row);
      },
      progress);
  if (!read) {
    return Failure{reader.error().empty() ? kReadStopped : name + " is damaged: " + reader.error()};
  }
  return {};
}

}  // namespace stamp::ora
