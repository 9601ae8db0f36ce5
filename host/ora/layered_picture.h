// The work a layered file keeps: the three layers of one canvas, each in the host record's raster
// layout (B,G,R, bottom row first, rows of width * 3 bytes without padding). Layer 0 lies at the
// back; the picture shown is white multiplied by layer 0, 1 and 2.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace stamp::ora {

inline constexpr int kLayerCount = 3;
inline constexpr size_t kBytesPerPixel = 3;

struct LayeredPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::array<std::vector<uint8_t>, kLayerCount> layers;

  size_t LayerBytes() const {
    return static_cast<size_t>(width) * static_cast<size_t>(height) * kBytesPerPixel;
  }
};

}  // namespace stamp::ora
