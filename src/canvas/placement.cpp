// The pen point and the stamp's corner are formed in unsigned 32-bit arithmetic: the host may
// hand any int32, and the wrapped result is what 32-bit machine arithmetic gives. A point that
// wraps lies far outside any canvas, where the bounds rule of the pixel engine skips every pixel.
#include "src/canvas/placement.h"

#include "src/pixel/pixel_ops.h"

namespace stamp {
namespace {

constexpr uint32_t kShiftMask = 0xFF;  // zoomShift's low 8 bits are the shift count
constexpr uint32_t kWordBits = 32;

int32_t Wrapped(uint32_t value) { return static_cast<int32_t>(value); }

int32_t ScaleFromView(int32_t value, int32_t origin, uint32_t shift) {
  if (shift >= kWordBits) return 0;
  const uint32_t fromOrigin = static_cast<uint32_t>(value) - static_cast<uint32_t>(origin);
  return Wrapped(fromOrigin << shift);
}

// The first column (or row) of a stamp of this size centred on centre; div truncates.
int32_t CornerFor(int32_t centre, int32_t size) {
  return Wrapped(static_cast<uint32_t>(centre) - static_cast<uint32_t>(size / 2));
}

}  // namespace

CanvasPoint ViewToCanvas(const HostContext& host, int32_t x, int32_t y) {
  const uint32_t shift = static_cast<uint32_t>(host.zoomShift()) & kShiftMask;
  return {ScaleFromView(x, host.viewX(), shift), ScaleFromView(y, host.viewY(), shift)};
}

void PressStamp(ImageView target, const PreparedStamp& stamp, int32_t x, int32_t y) {
  const RotatedSize size = stamp.size;
  BlitBlend(target, CornerFor(x, size.width), CornerFor(y, size.height), size.width, size.height,
            stamp.image, 0, 0, BlendMultiply);
}

}  // namespace stamp
