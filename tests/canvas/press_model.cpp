#include "canvas/press_model.h"

namespace stamp::test {

Bytes PressedStamp(const TestHost& host, int32_t width, int32_t height, Bytes target, int64_t left,
                   int64_t top) {
  const Plane dst = CanvasPlane(host, target.data());
  const Plane src = CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER));
  for (int64_t j = 0; j < height; ++j) {
    for (int64_t i = 0; i < width; ++i) {
      const int64_t to = dst.Inside(left + i, top + j);
      const int64_t from = src.Inside(i, j);
      if (to < 0 || from < 0) continue;
      for (int64_t c = 0; c < 3; ++c) {
        target[to + c] = static_cast<uint8_t>(src.bytes[from + c] * target[to + c] / 255);
      }
    }
  }
  return target;
}

}  // namespace stamp::test
