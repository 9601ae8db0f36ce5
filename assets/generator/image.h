// A small top-down RGB raster that the artwork is drawn into before it is written out as a BMP.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stamp::art {

struct Rgb {
  uint8_t r;
  uint8_t g;
  uint8_t b;

  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// A rectangle of whole pixels, top-down: (x, y) is its top-left pixel.
struct Region {
  int x;
  int y;
  int width;
  int height;
};

class Image {
 public:
  Image(int width, int height, Rgb fill)
      : width_(width),
        height_(height),
        pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
  const Rgb& At(int x, int y) const { return pixels_[Index(x, y)]; }

  void Fill(Region region, Rgb colour) {
    for (int y = region.y; y < region.y + region.height; ++y) {
      for (int x = region.x; x < region.x + region.width; ++x) At(x, y) = colour;
    }
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace stamp::art
