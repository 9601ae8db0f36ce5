#include "test_canvas.h"

#include <cstring>
#include <random>

#include "src/core/module_state.h"
#include "stamp/host_record.h"

namespace stamp::test {

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(r " << int{colour.red} << ", g " << int{colour.green} << ", b "
             << int{colour.blue} << ")";
}

CanvasRecord::CanvasRecord(int32_t width, int32_t height) : record_(STAMP_REC_SIZE) {
  const int32_t bytes = width * height * 3;
  std::memcpy(&record_[STAMP_REC_CANVAS_WIDTH], &width, sizeof width);
  std::memcpy(&record_[STAMP_REC_CANVAS_HEIGHT], &height, sizeof height);
  std::memcpy(&record_[STAMP_REC_CANVAS_BYTES], &bytes, sizeof bytes);
  Module().host = HostContext(record_.data());
}

CanvasRecord::~CanvasRecord() { Module().host = HostContext(); }

ImageView CanvasView(Raster& raster) { return Module().host.canvasView(raster.data()); }

Raster::Raster(int32_t width, int32_t height, uint8_t fill)
    : width_(width), height_(height), bytes_(static_cast<size_t>(width * height * 3), fill) {}

size_t Raster::Offset(int32_t x, int32_t y) const {
  return static_cast<size_t>(((height_ - 1 - y) * width_ + x) * 3);
}

Rgb Raster::At(int32_t x, int32_t y) const {
  const uint8_t* pixel = &bytes_.at(Offset(x, y));
  return {pixel[2], pixel[1], pixel[0]};
}

void Raster::Set(int32_t x, int32_t y, Rgb colour) {
  uint8_t* pixel = &bytes_.at(Offset(x, y));
  pixel[0] = colour.blue;
  pixel[1] = colour.green;
  pixel[2] = colour.red;
}

void Raster::FillRandom(uint32_t seed) {
  std::mt19937 random(seed);
  for (uint8_t& byte : bytes_) byte = static_cast<uint8_t>(random());
}

}  // namespace stamp::test
