// A 24-bit buffer as the pixel engine addresses it: the bytes, the width and height that place
// its pixels (rows bottom-up, a stride of exactly width x 3 bytes) and the byte size that bounds
// them. A view neither owns nor checks what it names: the byte size is the only bound the engine
// applies, and a view of no buffer (all zero) holds no pixel.
#pragma once

#include <cstdint>

namespace stamp {

template <typename Byte>
struct BasicImageView {
  Byte* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytes = 0;

  // Every view can be read through.
  operator BasicImageView<const Byte>() const { return {pixels, width, height, bytes}; }
};

using ImageView = BasicImageView<uint8_t>;
using ConstImageView = BasicImageView<const uint8_t>;

}  // namespace stamp
