// Where the stamp lands on the canvas: the pen point converted from view coordinates, and the
// StampImage multiplied into a canvas-sized buffer centred on a point.
#pragma once

#include <cstdint>

#include "src/core/host_context.h"
#include "src/core/image_view.h"
#include "src/core/rotated_size.h"

namespace stamp {

struct CanvasPoint {
  int32_t x;
  int32_t y;
};

// ((x - viewX) << s, (y - viewY) << s), s the low 8 bits of zoomShift; a shift of 32 or more
// gives 0. The arithmetic wraps modulo 2^32, as 32-bit machine arithmetic does.
CanvasPoint ViewToCanvas(const HostContext& host, int32_t x, int32_t y);

// The StampImage as it is pressed: stampBuffer, whose top-left RotatedSize block it is.
struct PreparedStamp {
  ConstImageView image;
  RotatedSize size;
};

// BlendMultiply of the StampImage into target, a canvas-sized buffer, with its top-left at
// (x - width div 2, y - height div 2). Pixels outside the canvas are skipped by the pixel
// engine's bounds rule.
void PressStamp(ImageView target, const PreparedStamp& stamp, int32_t x, int32_t y);

}  // namespace stamp
