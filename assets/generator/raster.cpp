#include "raster.h"

#include <algorithm>
#include <cmath>

namespace stamp::art {
namespace {

// 8 x 8 samples give 65 coverage levels, more than the eye tells apart at these sizes.
constexpr int kSamplesPerAxis = 8;
constexpr int kSamplesPerPixel = kSamplesPerAxis * kSamplesPerAxis;

struct ColourSum {
  int r = 0;
  int g = 0;
  int b = 0;

  void Add(Rgb c) {
    r += c.r;
    g += c.g;
    b += c.b;
  }
  Rgb Average() const {
    const auto mean = [](int sum) {
      return static_cast<uint8_t>((sum + kSamplesPerPixel / 2) / kSamplesPerPixel);
    };
    return {mean(r), mean(g), mean(b)};
  }
};

Rgb SamplePixel(int x, int y, Rgb under, const Shape& shape, const Shader& shader) {
  ColourSum sum;
  for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
    for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
      const Point p{x + (sx + 0.5) / kSamplesPerAxis, y + (sy + 0.5) / kSamplesPerAxis};
      sum.Add(shape(p) ? shader(p) : under);
    }
  }
  return sum.Average();
}

uint8_t MixChannel(uint8_t a, uint8_t b, double t) {
  return static_cast<uint8_t>(std::lround(std::clamp(a + (b - a) * t, 0.0, 255.0)));
}

}  // namespace

void PaintShaded(Image& image, Region region, const Shape& shape, const Shader& shader) {
  for (int y = region.y; y < region.y + region.height; ++y) {
    for (int x = region.x; x < region.x + region.width; ++x) {
      image.At(x, y) = SamplePixel(x, y, image.At(x, y), shape, shader);
    }
  }
}

void Paint(Image& image, Region region, const Shape& shape, Rgb colour) {
  PaintShaded(image, region, shape, [colour](Point) { return colour; });
}

void PaintCentred(Image& image, Region region, const Shape& shape, Rgb colour) {
  const Point centre{region.x + region.width / 2.0, region.y + region.height / 2.0};
  Paint(image, region, Translated(shape, centre), colour);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {MixChannel(a.r, b.r, t), MixChannel(a.g, b.g, t), MixChannel(a.b, b.b, t)};
}

}  // namespace stamp::art
