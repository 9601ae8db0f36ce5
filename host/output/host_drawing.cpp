#include "host/output/host_drawing.h"

namespace stamp::host {

void PutColor(const RasterView& raster, int32_t x, int32_t y, uint32_t color) {
  uint8_t* pixel = raster.pixel(x, y);
  pixel[0] = static_cast<uint8_t>(color);
  pixel[1] = static_cast<uint8_t>(color >> 8);
  pixel[2] = static_cast<uint8_t>(color >> 16);
}

void FillRect(const RasterView& raster, int32_t x, int32_t y, int32_t width, int32_t height,
              uint32_t color) {
  for (int32_t row = y; row < y + height; ++row) {
    for (int32_t column = x; column < x + width; ++column) PutColor(raster, column, row, color);
  }
}

}  // namespace stamp::host
