#include "host/ora/png_layer.h"

#include <cmath>

#include "host/ora/layered_picture.h"
#include "host/picture/png_reader.h"

namespace stamp::ora {

std::string DecodeLayerOverWhite(const std::string& name, const std::vector<uint8_t>& png,
                                 int32_t width, int32_t height, double opacity,
                                 std::vector<uint8_t>& pixels, const ReadProgress& progress) {
  if (!host::PngReader::HasSignature(png)) return name + " is not a PNG picture";
  host::PngReader reader(png);
  if (!reader.ReadHeader()) return name + " is damaged: " + reader.error();
  if (reader.width() != static_cast<uint32_t>(width) ||
      reader.height() != static_cast<uint32_t>(height)) {
    return name + " is " + std::to_string(reader.width()) + "x" + std::to_string(reader.height()) +
           ", not the picture's " + std::to_string(width) + "x" + std::to_string(height);
  }
  if (!reader.CanHoldItsPicture()) {
    return name + " is damaged: " + std::to_string(png.size()) +
           " bytes cannot hold a picture of its size";
  }
  std::vector<uint8_t> rgba;
  if (!reader.ReadRgba(rgba, progress)) {
    return reader.error().empty() ? kReadStopped : name + " is damaged: " + reader.error();
  }

  const auto layerOpacity = static_cast<uint32_t>(std::lround(opacity * host::kFullOpacity));
  const size_t inRowBytes = static_cast<size_t>(width) * host::kRgbaBytes;
  const size_t outRowBytes = static_cast<size_t>(width) * kBytesPerPixel;
  pixels.resize(outRowBytes * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    // The record keeps the bottom row first.
    host::RgbaRowOverWhite(rgba.data() + static_cast<size_t>(y) * inRowBytes,
                           static_cast<uint32_t>(width), layerOpacity,
                           pixels.data() + static_cast<size_t>(height - 1 - y) * outRowBytes);
  }
  return {};
}

}  // namespace stamp::ora
