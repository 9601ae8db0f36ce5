#include <cmath>

#include "reference.h"

namespace stamp::test {
namespace {

Rgb ReadOrZero(const Raster& src, int64_t x, int64_t y) {
  if (x >= src.width() || y >= src.height()) return {};
  return src.At(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

// Writes follow the byte-size bound only, as PutPixel24 does.
void PutIfInside(Raster& dst, int64_t x, int64_t y, Rgb colour) {
  const int64_t offset = ((dst.height() - 1 - y) * dst.width() + x) * 3;
  if (offset < 0 || offset + 3 > int64_t{dst.width()} * dst.height() * 3) return;
  dst.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
}

int64_t Product(int64_t a, int64_t b) { return a * b / 256; }

uint8_t Bilinear(uint8_t p00, uint8_t p10, uint8_t p01, uint8_t p11, int64_t fx, int64_t fy) {
  const int64_t upper = Product(p00, 255 - fx) + Product(p10, fx);
  const int64_t lower = Product(p01, 255 - fx) + Product(p11, fx);
  return static_cast<uint8_t>(Product(upper, 255 - fy) + Product(lower, fy));
}

}  // namespace

Box ReferenceRotate(Raster& dst, const Raster& src, int32_t width, int32_t height,
                    int32_t angleDegrees) {
  const double theta = angleDegrees * (3.1415926535 / 180);
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  const Box box{static_cast<int32_t>(std::fabs(height * s) + std::fabs(width * c) + 0.5),
                static_cast<int32_t>(std::fabs(height * c) + std::fabs(width * s) + 0.5)};
  const auto e = static_cast<int64_t>(c * 1024.0);
  const auto f = static_cast<int64_t>(s * 1024.0);
  for (int64_t i = 0; i < box.height; ++i) {
    for (int64_t j = 0; j < box.width; ++j) {
      const int64_t px =
          int64_t{width / 2} * 1024 + e * (j - box.width / 2) - f * (i - box.height / 2);
      const int64_t py =
          int64_t{height / 2} * 1024 + f * (j - box.width / 2) + e * (i - box.height / 2);
      const int64_t x = (px & 0xFFFF) >> 10;
      const int64_t y = (py & 0xFFFF) >> 10;
      if (!(x < width - 1 && y < height - 1)) continue;
      const int64_t fx = (px & 1023) >> 2;
      const int64_t fy = (py & 1023) >> 2;
      const Rgb p00 = ReadOrZero(src, x, y), p10 = ReadOrZero(src, x + 1, y);
      const Rgb p01 = ReadOrZero(src, x, y + 1), p11 = ReadOrZero(src, x + 1, y + 1);
      Rgb out;
      for (uint8_t Rgb::*channel : {&Rgb::red, &Rgb::green, &Rgb::blue}) {
        out.*channel = Bilinear(p00.*channel, p10.*channel, p01.*channel, p11.*channel, fx, fy);
      }
      PutIfInside(dst, j, i, out);
    }
  }
  return box;
}

}  // namespace stamp::test
