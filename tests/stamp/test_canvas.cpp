#include "test_canvas.h"

#include <cstring>

#include "src/core/module_state.h"
#include "stamp/host_record.h"

namespace stamp::test {

CanvasRecord::CanvasRecord(int32_t width, int32_t height)
    : CanvasRecord(width, height, width * height * 3) {}

CanvasRecord::CanvasRecord(int32_t width, int32_t height, int32_t bytes) : record_(STAMP_REC_SIZE) {
  Resize(width, height, bytes);
  Module().host = HostContext(record_.data());
}

CanvasRecord::~CanvasRecord() { Module().host = HostContext(); }

void CanvasRecord::Resize(int32_t width, int32_t height, int32_t bytes) {
  std::memcpy(&record_[STAMP_REC_CANVAS_WIDTH], &width, sizeof width);
  std::memcpy(&record_[STAMP_REC_CANVAS_HEIGHT], &height, sizeof height);
  std::memcpy(&record_[STAMP_REC_CANVAS_BYTES], &bytes, sizeof bytes);
}

ImageView CanvasView(uint8_t* bytes) { return Module().host.canvasView(bytes); }

}  // namespace stamp::test
