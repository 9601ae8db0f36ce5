// A 24-bit picture for the graphics tests: a DIB section selected into its own context, read and
// written with top-down coordinates and colours as 0x00BBGGRR.
#pragma once

#include <cstdint>

#include "platform_gdi/gdi_test_util.h"

namespace stamp::test {

class Picture24 {
 public:
  Picture24(int32_t width, int32_t height, bool topDown = false)
      : width_(width),
        height_(height),
        topDown_(topDown),
        dib_(MakeDib(DibInfo(width, topDown ? -height : height, 24))),
        selected_(dib_.handle) {}

  PlatHandle dc() const { return selected_.dc(); }
  int32_t stride() const { return (width_ * 3 + 3) / 4 * 4; }
  uint8_t* at(int32_t x, int32_t y) const {
    const int32_t row = topDown_ ? y : height_ - 1 - y;
    return dib_.bits + row * stride() + x * 3;
  }
  // Colours as 0x00BBGGRR.
  uint32_t get(int32_t x, int32_t y) const {
    const uint8_t* p = at(x, y);
    return p[2] | (p[1] << 8) | (p[0] << 16);
  }
  void set(int32_t x, int32_t y, uint32_t color) const {
    uint8_t* p = at(x, y);
    p[0] = static_cast<uint8_t>(color >> 16);
    p[1] = static_cast<uint8_t>(color >> 8);
    p[2] = static_cast<uint8_t>(color);
  }
  void fill(uint32_t color) const {
    for (int32_t y = 0; y < height_; ++y) {
      for (int32_t x = 0; x < width_; ++x) set(x, y, color);
    }
  }
  // Each pixel a distinct colour: red = x, green = y, blue = 0x80.
  void fillPattern() const {
    for (int32_t y = 0; y < height_; ++y) {
      for (int32_t x = 0; x < width_; ++x) set(x, y, Pattern(x, y));
    }
  }
  static uint32_t Pattern(int32_t x, int32_t y) {
    return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 | 0x800000u;
  }

 private:
  int32_t width_;
  int32_t height_;
  bool topDown_;
  Dib dib_;
  SelectedBitmap selected_;
};

}  // namespace stamp::test
