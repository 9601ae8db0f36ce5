#include "host/output/compositor.h"

namespace stamp::host {
namespace {

constexpr uint8_t kWhite = 0xFF;

uint8_t Multiply(uint8_t source, uint8_t destination) {
  return static_cast<uint8_t>(source * destination / 255);
}

}  // namespace

std::vector<uint8_t> CompositeCanvas(const HostRecord& record) {
  std::vector<uint8_t> canvas(record.canvasBytes(), kWhite);
  for (const uint32_t field :
       {LayerField(0), LayerField(1), LayerField(2), uint32_t{STAMP_REC_OVERLAY_BUFFER}}) {
    const uint8_t* source = record.buffer(field);
    for (size_t i = 0; i < canvas.size(); ++i) canvas[i] = Multiply(source[i], canvas[i]);
  }
  return canvas;
}

}  // namespace stamp::host
