#include "host/picture/over_white.h"

namespace stamp::host {
namespace {

// One channel of a pixel of alpha (0 to 255) and a layer of opacity (0 to 65535) over white.
uint8_t OverWhite(uint32_t colour, uint32_t alpha, uint32_t opacity) {
  constexpr uint64_t kScale = uint64_t{kOpaqueAlpha} * kFullOpacity;
  const uint64_t weight = uint64_t{alpha} * opacity;  // of kScale
  const uint64_t over = colour * weight + kOpaqueAlpha * (kScale - weight);
  return static_cast<uint8_t>((over + kScale / 2) / kScale);
}

}  // namespace

void RgbaRowOverWhite(const uint8_t* rgba, uint32_t width, uint32_t opacity, uint8_t* bgr) {
  for (uint32_t x = 0; x < width; ++x, rgba += kRgbaBytes, bgr += 3) {
    bgr[0] = OverWhite(rgba[2], rgba[3], opacity);
    bgr[1] = OverWhite(rgba[1], rgba[3], opacity);
    bgr[2] = OverWhite(rgba[0], rgba[3], opacity);
  }
}

}  // namespace stamp::host
