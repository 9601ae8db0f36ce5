// The record's contexts on Windows: 24-bit bottom-up DIB sections in both. The panel's pixel
// memory is the DIB section's, which a 32-bit record field must reach: on the 64-bit test
// vehicle it is checked to lie below 4 GiB.
#include <cstring>
#include <stdexcept>

#include "host/record/canvas_size.h"
#include "host/record/record_surfaces.h"
#include "stamp/host_record.h"

namespace stamp::host {
namespace {

static_assert(STAMP_PANEL_WIDTH * 3 % 4 == 0, "a DIB section's rows are the raster's rows");

uint8_t* BelowFourGiB(uint8_t* bits, size_t bytes) {
  const uint64_t end = uint64_t{reinterpret_cast<uintptr_t>(bits)} + bytes;
  if (end > static_cast<uint64_t>(kLowMemoryBytes)) {
    throw std::runtime_error("the panel's DIB section lies above 4 GiB");
  }
  return bits;
}

}  // namespace

PanelSurface::PanelSurface(uint8_t fill, size_t, const std::optional<TextStyle>& text) {
  uint8_t* bits = nullptr;
  context_ = ContextPair::OverDibSection(STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT, &bits, text);
  raster_ = {bits, STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT};
  std::memset(BelowFourGiB(bits, raster_.byteSize()), fill, raster_.byteSize());
}

uint32_t PanelSurface::address32() const {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(raster_.bytes));
}

ContextPair MakeCanvasContext() {
  uint8_t* bits = nullptr;
  return ContextPair::OverDibSection(1, 1, &bits, std::nullopt);
}

}  // namespace stamp::host
