// The tests' one picture type: a raster in the host's layout (B,G,R bytes, rows of exactly
// width x 3 bytes stored bottom-up), addressed top-down, so its bytes can be handed to the pixel
// engine, the stamp code, the BMP writer or a host record as they are.
//
// As text, one character per pixel and the top row first: '.' is black, '#' is white and any
// other character c is the grey (c, c, c), so a letter can be followed through a copy and
// Raster(w, h, 'x') is a field of x. Colours without a character read back as '?'.
//
// At and Set throw std::out_of_range for a pixel whose bytes lie outside the raster.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace stamp::test {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& colour);

using Rows = std::vector<std::string>;

class Raster {
 public:
  // Every byte is fill.
  Raster(int32_t width, int32_t height, uint8_t fill = 0);
  explicit Raster(const Rows& rows);
  // From B,G,R rows of width x 3 bytes, the top row first, as decoders and readers give them.
  static Raster FromTopDownBgr(int32_t width, int32_t height, const uint8_t* bgr);

  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // The byte size of the raster: width x height x 3.
  int32_t bytes() const { return static_cast<int32_t>(bytes_.size()); }

  Rgb At(int32_t x, int32_t y) const;
  void Set(int32_t x, int32_t y, Rgb colour);
  void FillRandom(uint32_t seed);
  Rows rows() const;
  bool operator==(const Raster&) const = default;

 private:
  size_t Offset(int32_t x, int32_t y) const;

  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> bytes_;
};

// Distinct colours per pixel (within 256 of each axis), varied by seed so pictures differ.
Raster PatternPicture(int32_t width, int32_t height, uint8_t seed);

}  // namespace stamp::test
