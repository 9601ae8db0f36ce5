// Every rectangle goes through the pixel engine with the geometry of the buffer it belongs to: the
// panel raster as 240x1050 bounded by panelBytes, the PanelImage as 264x100 bounded by its 79200
// bytes, stampBuffer with the canvas geometry bounded by canvasBytes. Pixels outside a bound are
// skipped one by one, so no step can reach beyond a buffer.
#include "panel/draw.h"

#include <cstdint>
#include <optional>

#include "panel/layout.h"
#include "panel/panel_text.h"
#include "pixel/pixel_ops.h"
#include "plugin/module_state.h"

namespace stamp {
namespace {

// A buffer with the geometry every rectangle of it is addressed with.
struct Surface {
  const uint8_t* pixels;
  int32_t width;
  int32_t height;
  int32_t bytes;
};

Surface PanelRaster(const HostContext& host) {
  return {host.panelBuffer(), kPanelRasterWidth, kPanelRasterHeight, host.panelBytes()};
}

Surface PanelImageSurface(const PanelImage& image) {
  return {image.pixels, kPanelImageWidth, kPanelImageHeight, kPanelImageBytes};
}

void Copy(const HostContext& host, Surface source, Region from, RasterPoint to) {
  BlitCopy(host.panelBuffer(), kPanelRasterWidth, kPanelRasterHeight, to.x, to.y, from.width,
           from.height, source.pixels, source.width, source.height, from.x, from.y, kSrcCopy,
           host.panelBytes(), source.bytes);
}

void Blend(const HostContext& host, Surface source, Region from, RasterPoint to, BlendMode mode) {
  BlitBlend(host.panelBuffer(), kPanelRasterWidth, kPanelRasterHeight, to.x, to.y, from.width,
            from.height, source.pixels, source.width, source.height, from.x, from.y, mode,
            host.panelBytes(), source.bytes);
}

void BlendPiece(const ModuleState& module, const PanelPiece& piece, BlendMode mode) {
  Blend(module.host, PanelImageSurface(module.panel), piece.source, piece.destination, mode);
}

// Where the marker of a cell lands: column c = selection mod 4, row r = selection div 4, both
// truncating. Formed in 64 bits, as a selection read from the profile may be any int32; a row
// beyond the raster's int32 coordinates has no place to draw and gives none.
std::optional<RasterPoint> MarkerCorner(int32_t selection) {
  const int64_t column = selection % kCellColumns;
  const int64_t row = selection / kCellColumns;
  const int64_t x = kMarkerPiece.destination.x + int64_t{kCellSize} * column;
  const int64_t y = kMarkerPiece.destination.y + int64_t{kCellSize} * row;
  if (y < INT32_MIN || y > INT32_MAX) return std::nullopt;
  return RasterPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

void DrawCellGrid(const ModuleState& module) {
  Copy(module.host, PanelImageSurface(module.panel), kCellGridPiece.source,
       kCellGridPiece.destination);
}

void DrawDialBackground(const ModuleState& module) {
  BlendPiece(module, kDialBackgroundPiece, BlendAdd);
}

void DrawDialFace(const ModuleState& module) { BlendPiece(module, kDialFacePiece, BlendMultiply); }

void DrawMarker(const ModuleState& module) {
  const std::optional<RasterPoint> corner = MarkerCorner(module.selection);
  if (!corner) return;
  Blend(module.host, PanelImageSurface(module.panel), kMarkerPiece.source, *corner, BlendMultiply);
}

void DrawPlusButton(const ModuleState& module) { BlendPiece(module, kPlusPiece, BlendMultiply); }

void DrawMinusButton(const ModuleState& module) { BlendPiece(module, kMinusPiece, BlendMultiply); }

// The picture comes from the host's own raster, above the panel.
void DrawFileButton(const ModuleState& module) {
  Copy(module.host, PanelRaster(module.host), kFileButtonPiece.source,
       kFileButtonPiece.destination);
}

// The StampImage (stampBuffer (0,0), RotatedSize) centred on the dial; halving truncates.
void DrawStampOnDial(const ModuleState& module) {
  const HostContext& host = module.host;
  const RotatedSize size = module.rotatedSize;
  const RasterPoint centre = FromPanel(kDialCentre);
  const Surface stamp = {host.stampBuffer(), host.canvasWidth(), host.canvasHeight(),
                         host.canvasBytes()};
  Blend(host, stamp, {0, 0, size.width, size.height},
        {centre.x - size.width / 2, centre.y - size.height / 2}, BlendMultiply);
}

// The angle is positive for a counter-clockwise turn; the panel shows the clockwise turn. The
// negation is taken in 64 bits, so an angle of INT32_MIN from the profile shows 2147483648.
void DrawAngleValue(const ModuleState& module) {
  DrawInteger(module.host.panelDC(), -int64_t{module.angle}, kAngleTextRect);
}

void DrawReductionValue(const ModuleState& module) {
  DrawInteger(module.host.panelDC(), module.reduction, kReductionTextRect);
}

}  // namespace

void DrawPanel() {
  const ModuleState& module = Module();
  if (!module.initialised) return;
  DrawCellGrid(module);
  DrawDialBackground(module);
  DrawDialFace(module);
  DrawMarker(module);
  DrawPlusButton(module);
  DrawMinusButton(module);
  DrawFileButton(module);
  DrawStampOnDial(module);
  DrawAngleValue(module);
  DrawReductionValue(module);
}

}  // namespace stamp
