#include "pixel/picture.h"

#include <cassert>

namespace stamp::test {
namespace {

Bgr ColourOf(char c) {
  if (c == '.') return {0, 0, 0};
  if (c == '#') return {255, 255, 255};
  const auto grey = static_cast<uint8_t>(c);
  return {grey, grey, grey};
}

char CharOf(Bgr colour) {
  for (char c = ' '; c <= '~'; ++c) {
    if (ColourOf(c) == colour) return c;
  }
  return '?';
}

}  // namespace

Picture::Picture(int32_t width, int32_t height, char fill)
    : width_(width), height_(height), bytes_(static_cast<size_t>(width * height * 3)) {
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) set(x, y, ColourOf(fill));
  }
}

Picture::Picture(const Rows& rows)
    : Picture(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size())) {
  for (int32_t y = 0; y < height_; ++y) {
    assert(rows[static_cast<size_t>(y)].size() == static_cast<size_t>(width_));
    for (int32_t x = 0; x < width_; ++x)
      set(x, y, ColourOf(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]));
  }
}

Rows Picture::rows() const {
  Rows out(static_cast<size_t>(height_), std::string(static_cast<size_t>(width_), '?'));
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x)
      out[static_cast<size_t>(y)][static_cast<size_t>(x)] = CharOf(at(x, y));
  }
  return out;
}

Bgr Picture::at(int32_t x, int32_t y) const {
  const size_t o = Offset(x, y);
  return {bytes_[o], bytes_[o + 1], bytes_[o + 2]};
}

void Picture::set(int32_t x, int32_t y, Bgr colour) {
  const size_t o = Offset(x, y);
  for (size_t c = 0; c < 3; ++c) bytes_[o + c] = colour[c];
}

// Rows are stored bottom-up, as in every ImageBuffer.
size_t Picture::Offset(int32_t x, int32_t y) const {
  assert(x >= 0 && x < width_ && y >= 0 && y < height_);
  return static_cast<size_t>(((height_ - 1 - y) * width_ + x) * 3);
}

}  // namespace stamp::test
