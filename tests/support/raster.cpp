#include "support/raster.h"

#include <algorithm>
#include <random>
#include <stdexcept>

namespace stamp::test {
namespace {

Rgb ColourOf(char c) {
  if (c == '.') return {0, 0, 0};
  if (c == '#') return {255, 255, 255};
  const auto grey = static_cast<uint8_t>(c);
  return {grey, grey, grey};
}

char CharOf(Rgb colour) {
  for (char c = ' '; c <= '~'; ++c) {
    if (ColourOf(c) == colour) return c;
  }
  return '?';
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(r " << int{colour.red} << ", g " << int{colour.green} << ", b "
             << int{colour.blue} << ")";
}

Raster::Raster(int32_t width, int32_t height, uint8_t fill)
    : width_(width), height_(height), bytes_(static_cast<size_t>(width) * height * 3, fill) {}

Raster::Raster(const Rows& rows)
    : Raster(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size())) {
  for (int32_t y = 0; y < height_; ++y) {
    const std::string& row = rows[static_cast<size_t>(y)];
    if (row.size() != static_cast<size_t>(width_)) throw std::invalid_argument("ragged rows");
    for (int32_t x = 0; x < width_; ++x) Set(x, y, ColourOf(row[static_cast<size_t>(x)]));
  }
}

Raster Raster::FromTopDownBgr(int32_t width, int32_t height, const uint8_t* bgr) {
  Raster raster(width, height);
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int32_t y = 0; y < height; ++y) {
    std::copy_n(bgr + static_cast<size_t>(y) * rowBytes, rowBytes,
                raster.data() + static_cast<size_t>(height - 1 - y) * rowBytes);
  }
  return raster;
}

Rgb Raster::At(int32_t x, int32_t y) const {
  const uint8_t* pixel = &bytes_.at(Offset(x, y));
  return {pixel[2], pixel[1], pixel[0]};
}

void Raster::Set(int32_t x, int32_t y, Rgb colour) {
  uint8_t* pixel = &bytes_.at(Offset(x, y));
  pixel[0] = colour.blue;
  pixel[1] = colour.green;
  pixel[2] = colour.red;
}

void Raster::FillRandom(uint32_t seed) {
  std::mt19937 random(seed);
  for (uint8_t& byte : bytes_) byte = static_cast<uint8_t>(random());
}

Rows Raster::rows() const {
  Rows out(static_cast<size_t>(height_), std::string(static_cast<size_t>(width_), '?'));
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x)
      out[static_cast<size_t>(y)][static_cast<size_t>(x)] = CharOf(At(x, y));
  }
  return out;
}

// Top-down coordinates over bottom-up rows: row y is stored height - 1 - y rows in. An x past a
// row's end lands in the row above, as the plug-in's own addressing does; At and Set refuse only
// an offset outside the bytes (a negative one wraps to a huge offset).
size_t Raster::Offset(int32_t x, int32_t y) const {
  return static_cast<size_t>((int64_t{height_ - 1 - y} * width_ + x) * 3);
}

Raster PatternPicture(int32_t width, int32_t height, uint8_t seed) {
  Raster picture(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      picture.Set(x, y,
                  {static_cast<uint8_t>(x + seed), static_cast<uint8_t>(y * 2 + seed),
                   static_cast<uint8_t>(x * 3 + y * 5 + seed)});
    }
  }
  return picture;
}

}  // namespace stamp::test
