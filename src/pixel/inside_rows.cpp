#include "src/pixel/inside_rows.h"

#include <cstddef>

namespace stamp {
namespace {

// Bytes [first, last) that a rectangle touches, as offsets in its buffer.
struct Extent {
  int64_t first;
  int64_t last;
};

// The extent of a width x height rectangle at (x, y), when all of it is inside the buffer.
// PixelOffset gives kFarAway for offsets beyond 64 bits, which is never inside.
template <typename Byte>
std::optional<Extent> InsideExtent(BasicImageView<Byte> buffer, int32_t x, int32_t y, int32_t width,
                                   int32_t height) {
  if (width <= 0 || height <= 0 || buffer.width <= 0) return std::nullopt;
  const int64_t bottomLeft = PixelOffset(buffer.width, buffer.height, x, int64_t{y} + height - 1);
  const int64_t topRight = PixelOffset(buffer.width, buffer.height, int64_t{x} + width - 1, y);
  if (bottomLeft == kFarAway || topRight == kFarAway) return std::nullopt;
  if (!IsInside(bottomLeft, buffer.bytes) || !IsInside(topRight, buffer.bytes)) {
    return std::nullopt;
  }
  return Extent{bottomLeft, topRight + 3};
}

uintptr_t Address(const uint8_t* pixels, int64_t offset) {
  return reinterpret_cast<uintptr_t>(pixels) + static_cast<uintptr_t>(offset);
}

bool Apart(const uint8_t* dst, Extent d, const uint8_t* src, Extent s) {
  return Address(dst, d.last) <= Address(src, s.first) ||
         Address(src, s.last) <= Address(dst, d.first);
}

}  // namespace

std::optional<RectRows> InsideRows(ImageView dst, int32_t dx, int32_t dy, int32_t width,
                                   int32_t height, ConstImageView src, int32_t sx, int32_t sy) {
  const std::optional<Extent> d = InsideExtent(dst, dx, dy, width, height);
  if (!d) return std::nullopt;
  const std::optional<Extent> s = InsideExtent(src, sx, sy, width, height);
  if (!s || !Apart(dst.pixels, *d, src.pixels, *s)) return std::nullopt;
  return RectRows{dst.pixels,
                  src.pixels,
                  d->first,
                  s->first,
                  3 * int64_t{dst.width},
                  3 * int64_t{src.width},
                  3 * int64_t{width},
                  height};
}

std::optional<RectRows> InsideRows(ImageView buffer, int32_t x, int32_t y, int32_t width,
                                   int32_t height) {
  const std::optional<Extent> e = InsideExtent(buffer, x, y, width, height);
  if (!e) return std::nullopt;
  return RectRows{buffer.pixels,      nullptr, e->first, 0, 3 * int64_t{buffer.width}, 0,
                  3 * int64_t{width}, height};
}

}  // namespace stamp
