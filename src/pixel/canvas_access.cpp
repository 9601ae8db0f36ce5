#include "src/pixel/canvas_access.h"

#include "src/pixel/pixel_ops.h"
#include "src/pixel/rect_walk.h"

namespace stamp {

Channels CheckedCanvas::Read(ConstImageView buffer, int32_t x, int32_t y) const {
  Channels pixel{};
  GetPixel24(buffer, x, y, &pixel[0], &pixel[1], &pixel[2]);
  return pixel;
}

void CheckedCanvas::Write(ImageView buffer, int32_t x, int32_t y, Channels value) const {
  PutPixel24(buffer, x, y, value[0], value[1], value[2]);
}

// The block's pixels lie in rows H - height .. H - 1 of memory; its highest byte offset is that
// of its top-right pixel (width - 1, 0), its lowest that of (0, height - 1), which is at least 0.
std::optional<DirectCanvas> DirectCanvas::ForBlock(ConstImageView dst, ConstImageView src,
                                                   int32_t width, int32_t height) {
  const bool sameGeometry =
      dst.width == src.width && dst.height == src.height && dst.bytes == src.bytes;
  if (!sameGeometry || width <= 0 || height <= 0) return std::nullopt;
  if (width > dst.width || height > dst.height) return std::nullopt;
  if (!IsInside(PixelOffset(dst.width, dst.height, width - 1, 0), dst.bytes)) {
    return std::nullopt;
  }
  return DirectCanvas(dst.width, dst.height);
}

}  // namespace stamp
