// Single pixels of canvas-sized buffers, placed by the geometry of the view they come with.
#include "src/pixel/pixel_ops.h"
#include "src/pixel/rect_walk.h"

namespace stamp {

void GetPixel24(ConstImageView canvas, int32_t x, int32_t y, uint16_t* red, uint16_t* blue,
                uint16_t* green) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
  const int64_t offset = PixelOffset(canvas.width, canvas.height, x, y);
  if (!IsInside(offset, canvas.bytes)) return;
  const uint8_t* at = PixelAt(canvas.pixels, offset);
  *blue = at[0];
  *green = at[1];
  *red = at[2];
}

// x and y are not compared with the canvas size: a pixel off one side of a row lands in the
// next row, as the byte offset places it.
void PutPixel24(ImageView canvas, int32_t x, int32_t y, uint16_t red, uint16_t blue,
                uint16_t green) {
  const int64_t offset = PixelOffset(canvas.width, canvas.height, x, y);
  if (!IsInside(offset, canvas.bytes)) return;
  uint8_t* at = PixelAt(canvas.pixels, offset);
  at[0] = static_cast<uint8_t>(blue);
  at[1] = static_cast<uint8_t>(green);
  at[2] = static_cast<uint8_t>(red);
}

}  // namespace stamp
