// A 24-bit raster laid out as the host record's buffers are: three bytes per pixel in the order
// blue, green, red; rows bottom-up (the last row of the picture first); rows exactly width x 3
// bytes. Coordinates are top-down, as the plug-in gives them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stamp::host {

struct RasterView {
  uint8_t* bytes = nullptr;
  int32_t width = 0;
  int32_t height = 0;

  size_t rowBytes() const { return static_cast<size_t>(width) * 3; }
  size_t byteSize() const { return rowBytes() * static_cast<size_t>(height); }
  // The first byte of row y (0 is the top row).
  uint8_t* row(int32_t y) const { return bytes + rowBytes() * static_cast<size_t>(height - 1 - y); }
  uint8_t* pixel(int32_t x, int32_t y) const { return row(y) + static_cast<size_t>(x) * 3; }
};

}  // namespace stamp::host
