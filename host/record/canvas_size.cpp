#include "host/record/canvas_size.h"

namespace stamp::host {

int64_t CanvasBufferBytes(int32_t width, int32_t height) {
  return int64_t{width} * int64_t{height} * 3;
}

std::string CanvasSizeProblem(int32_t width, int32_t height) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (width <= 0 || height <= 0) return "canvas " + size + " has no pixels";
  const int64_t bytes = CanvasBufferBytes(width, height);
  if (bytes > kMaxRecordBytes) {
    return "canvas " + size + " needs " + std::to_string(bytes) +
           " bytes per buffer, more than a record field holds (" + std::to_string(kMaxRecordBytes) +
           ")";
  }
  return {};
}

}  // namespace stamp::host
