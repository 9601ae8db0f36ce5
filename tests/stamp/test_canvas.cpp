#include "test_canvas.h"

#include <cstring>

#include "src/core/module_state.h"
#include "stamp/host_record.h"

namespace stamp::test {

CanvasRecord::CanvasRecord(int32_t width, int32_t height) : record_(STAMP_REC_SIZE) {
  const int32_t bytes = width * height * 3;
  std::memcpy(&record_[STAMP_REC_CANVAS_WIDTH], &width, sizeof width);
  std::memcpy(&record_[STAMP_REC_CANVAS_HEIGHT], &height, sizeof height);
  std::memcpy(&record_[STAMP_REC_CANVAS_BYTES], &bytes, sizeof bytes);
  Module().host = HostContext(record_.data());
}

CanvasRecord::~CanvasRecord() { Module().host = HostContext(); }

ImageView CanvasView(Raster& raster) { return Module().host.canvasView(raster.data()); }

}  // namespace stamp::test
