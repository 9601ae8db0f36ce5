// A small ImageBuffer for tests, drawn and read as text rows, top row first, one character per
// pixel: '.' is black, '#' is white and any other character c is the grey (c, c, c), so a letter
// can be followed through a copy. Colours without a character read back as '?'.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace stamp::test {

using Rows = std::vector<std::string>;
using Bgr = std::array<uint8_t, 3>;

class Picture {
 public:
  Picture(int32_t width, int32_t height, char fill = '.');
  explicit Picture(const Rows& rows);

  Rows rows() const;
  Bgr at(int32_t x, int32_t y) const;
  void set(int32_t x, int32_t y, Bgr colour);

  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // The byte size an ImageBuffer of this geometry has: width x height x 3.
  int32_t bytes() const { return static_cast<int32_t>(bytes_.size()); }

 private:
  size_t Offset(int32_t x, int32_t y) const;

  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> bytes_;
};

}  // namespace stamp::test
