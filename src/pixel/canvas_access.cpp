#include "pixel/canvas_access.h"

#include "pixel/pixel_ops.h"
#include "pixel/rect_walk.h"
#include "plugin/module_state.h"

namespace stamp {

Channels CheckedCanvas::Read(const uint8_t* buffer, int32_t x, int32_t y) const {
  Channels pixel{};
  GetPixel24(buffer, x, y, &pixel[0], &pixel[1], &pixel[2]);
  return pixel;
}

void CheckedCanvas::Write(uint8_t* buffer, int32_t x, int32_t y, Channels value) const {
  PutPixel24(buffer, x, y, value[0], value[1], value[2]);
}

// The block's pixels lie in rows H - height .. H - 1 of memory; its highest byte offset is that
// of its top-right pixel (width - 1, 0), its lowest that of (0, height - 1), which is at least 0.
std::optional<DirectCanvas> DirectCanvas::ForBlock(int32_t width, int32_t height) {
  const HostContext& host = Module().host;
  if (!host.valid() || width <= 0 || height <= 0) return std::nullopt;
  const int32_t canvasWidth = host.canvasWidth();
  const int32_t canvasHeight = host.canvasHeight();
  if (width > canvasWidth || height > canvasHeight) return std::nullopt;
  if (!IsInside(PixelOffset(canvasWidth, canvasHeight, width - 1, 0), host.canvasBytes())) {
    return std::nullopt;
  }
  return DirectCanvas(canvasWidth, canvasHeight);
}

}  // namespace stamp
