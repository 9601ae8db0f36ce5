#include "host/record/canvas_size.h"

#include "stamp/host_record.h"

namespace stamp::host {

int64_t CanvasBufferBytes(int32_t width, int32_t height) {
  return int64_t{width} * int64_t{height} * 3;
}

Status CheckCanvasSize(int64_t width, int64_t height) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (width <= 0 || height <= 0) return Failure{"canvas " + size + " has no pixels"};
  // Sides up to the field's limit multiply without overflow; larger ones fail the same test.
  const bool sidesFit = width <= kMaxRecordBytes && height <= kMaxRecordBytes;
  if (!sidesFit || width * height > kMaxRecordBytes / 3) {
    const bool countable = sidesFit && width * height <= INT64_MAX / 3;
    const std::string needs =
        countable ? std::to_string(width * height * 3) + " bytes" : std::string("more bytes");
    return Failure{"canvas " + size + " needs " + needs +
                   " per buffer, more than a record field holds (" +
                   std::to_string(kMaxRecordBytes) + ")"};
  }
  const int64_t panelBytes = int64_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;
  const int64_t total = kCanvasBufferCount * width * height * 3 + panelBytes;
  if (total > kLowMemoryBytes) {
    return Failure{"canvas " + size + " needs " + std::to_string(total) +
                   " bytes for the record's buffers, more than fits below 4 GiB"};
  }
  return {};
}

}  // namespace stamp::host
