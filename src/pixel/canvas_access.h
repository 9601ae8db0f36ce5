// Pixels of canvas-sized buffers for the loops of stamp preparation, which read and write a small
// picture at a buffer's top-left corner one pixel at a time. Both kinds of access give exactly
// what GetPixel24 and PutPixel24 give on the same views:
//   CheckedCanvas calls the two functions for every pixel;
//   DirectCanvas, made only when the canvas holds a whole top-left block, finds the bytes of any
//   pixel of that block itself, without the per-pixel tests, which cannot refuse a pixel there.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "src/core/image_view.h"

namespace stamp {

// A pixel's channels in the order GetPixel24 delivers them: red, blue, green.
using Channels = std::array<uint16_t, 3>;

struct CheckedCanvas {
  // A pixel GetPixel24 refuses reads as 0 in every channel.
  Channels Read(ConstImageView buffer, int32_t x, int32_t y) const;
  std::array<Channels, 4> ReadSquare(ConstImageView buffer, int32_t x, int32_t y) const {
    return {Read(buffer, x, y), Read(buffer, x + 1, y), Read(buffer, x, y + 1),
            Read(buffer, x + 1, y + 1)};
  }
  void Write(ImageView buffer, int32_t x, int32_t y, Channels value) const;
};

class DirectCanvas {
 public:
  // Access to the top-left width x height block of dst and src, when the two views have the same
  // geometry and each pixel of the block lies inside it (x below its width, y below its height
  // and the byte offset within its byte size); nothing otherwise.
  static std::optional<DirectCanvas> ForBlock(ConstImageView dst, ConstImageView src, int32_t width,
                                              int32_t height);

  // x and y lie inside the block.
  Channels Read(ConstImageView buffer, int32_t x, int32_t y) const {
    return At(buffer.pixels + Offset(x, y));
  }
  // Pixels (x, y), (x + 1, y), (x, y + 1) and (x + 1, y + 1), all inside the block.
  std::array<Channels, 4> ReadSquare(ConstImageView buffer, int32_t x, int32_t y) const {
    const uint8_t* at = buffer.pixels + Offset(x, y);
    const uint8_t* below = at - rowBytes_;
    return {At(at), At(at + 3), At(below), At(below + 3)};
  }
  void Write(ImageView buffer, int32_t x, int32_t y, Channels value) const {
    uint8_t* at = buffer.pixels + Offset(x, y);
    at[0] = static_cast<uint8_t>(value[1]);
    at[1] = static_cast<uint8_t>(value[2]);
    at[2] = static_cast<uint8_t>(value[0]);
  }

 private:
  DirectCanvas(int32_t canvasWidth, int32_t canvasHeight)
      : rowBytes_(3 * int64_t{canvasWidth}), lastRow_(canvasHeight - 1) {}

  // ((H - 1 - y) x W + x) x 3, which lies inside the canvas for a pixel of the block.
  ptrdiff_t Offset(int32_t x, int32_t y) const {
    return static_cast<ptrdiff_t>((lastRow_ - y) * rowBytes_ + 3 * int64_t{x});
  }

  static Channels At(const uint8_t* at) { return {at[2], at[0], at[1]}; }

  int64_t rowBytes_;
  int64_t lastRow_;
};

}  // namespace stamp
