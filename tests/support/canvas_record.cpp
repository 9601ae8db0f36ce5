#include "support/canvas_record.h"

#include <cstring>

#include "stamp/host_record.h"

namespace stamp::test {

HostContext& InstalledCanvas() {
  static HostContext canvas;
  return canvas;
}

CanvasRecord::CanvasRecord(int32_t width, int32_t height)
    : CanvasRecord(width, height, width * height * 3) {}

CanvasRecord::CanvasRecord(int32_t width, int32_t height, int32_t bytes) : record_(STAMP_REC_SIZE) {
  Resize(width, height, bytes);
  InstalledCanvas() = HostContext(record_.data());
}

CanvasRecord::~CanvasRecord() { InstalledCanvas() = HostContext(); }

void CanvasRecord::Resize(int32_t width, int32_t height, int32_t bytes) {
  std::memcpy(&record_[STAMP_REC_CANVAS_WIDTH], &width, sizeof width);
  std::memcpy(&record_[STAMP_REC_CANVAS_HEIGHT], &height, sizeof height);
  std::memcpy(&record_[STAMP_REC_CANVAS_BYTES], &bytes, sizeof bytes);
}

ImageView CanvasView(uint8_t* bytes) { return InstalledCanvas().canvasView(bytes); }

}  // namespace stamp::test
