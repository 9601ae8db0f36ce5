// Single pixels of canvas-sized buffers, with the canvas geometry read from the host record at
// each call. Before start-up there is no record, and both functions do nothing.
#include "pixel/pixel_ops.h"
#include "pixel/rect_walk.h"
#include "plugin/module_state.h"

namespace stamp {

void GetPixel24(const uint8_t* buffer, int32_t x, int32_t y, uint16_t* red, uint16_t* blue,
                uint16_t* green) {
  const HostContext& host = Module().host;
  if (!host.valid()) return;
  const int32_t width = host.canvasWidth();
  const int32_t height = host.canvasHeight();
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const int64_t offset = PixelOffset(width, height, x, y);
  if (!IsInside(offset, host.canvasBytes())) return;
  const uint8_t* at = PixelAt(buffer, offset);
  *blue = at[0];
  *green = at[1];
  *red = at[2];
}

// x and y are not compared with the canvas size: a pixel off one side of a row lands in the
// next row, as the byte offset places it.
void PutPixel24(uint8_t* buffer, int32_t x, int32_t y, uint16_t red, uint16_t blue,
                uint16_t green) {
  const HostContext& host = Module().host;
  if (!host.valid()) return;
  const int64_t offset = PixelOffset(host.canvasWidth(), host.canvasHeight(), x, y);
  if (!IsInside(offset, host.canvasBytes())) return;
  uint8_t* at = PixelAt(buffer, offset);
  at[0] = static_cast<uint8_t>(blue);
  at[1] = static_cast<uint8_t>(green);
  at[2] = static_cast<uint8_t>(red);
}

}  // namespace stamp
