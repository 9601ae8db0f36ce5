// The record's contexts on Linux: a bitmap laid over the guarded panel raster, and a
// screen-compatible bitmap (the platform's screen is 24-bit) in canvasDC.
#include "host/record/record_surfaces.h"
#include "stamp/host_record.h"

namespace stamp::host {

PanelSurface::PanelSurface(uint8_t fill, size_t guardBytes, const std::optional<TextStyle>& text)
    : buffer_(size_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3, fill, guardBytes),
      raster_{buffer_.data(), STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT},
      context_(ContextPair::OverRaster(raster_, text)) {}

uint32_t PanelSurface::address32() const { return buffer_.address32(); }

ContextPair MakeCanvasContext() { return ContextPair::ScreenCompatible(); }

}  // namespace stamp::host
