// Every rectangle goes through the pixel engine with the geometry of the buffer it belongs to: the
// panel raster as 240x1050 bounded by panelBytes, the PanelImage as 264x100 bounded by its 79200
// bytes, stampBuffer with the canvas geometry bounded by canvasBytes. Pixels outside a bound are
// skipped one by one, so no step can reach beyond a buffer.
#include "src/panel/draw.h"

#include <cstdint>
#include <optional>

#include "src/core/module_state.h"
#include "src/core/panel_image.h"
#include "src/panel/layout.h"
#include "src/panel/panel_text.h"
#include "src/pixel/pixel_ops.h"

namespace stamp {
namespace {

void Copy(const HostContext& host, ConstImageView source, Region from, RasterPoint to) {
  BlitCopy(host.panelRaster(), to.x, to.y, from.width, from.height, source, from.x, from.y,
           kSrcCopy);
}

void Blend(const HostContext& host, ConstImageView source, Region from, RasterPoint to,
           BlendMode mode) {
  BlitBlend(host.panelRaster(), to.x, to.y, from.width, from.height, source, from.x, from.y, mode);
}

void BlendPiece(const ModuleState& module, const PanelPiece& piece, BlendMode mode) {
  Blend(module.host, PanelImageView(module.panel), piece.source, piece.destination, mode);
}

void DrawCellGrid(const ModuleState& module) {
  Copy(module.host, PanelImageView(module.panel), kCellGridPiece.source,
       kCellGridPiece.destination);
}

void DrawDialBackground(const ModuleState& module) {
  BlendPiece(module, kDialBackgroundPiece, BlendAdd);
}

void DrawDialFace(const ModuleState& module) { BlendPiece(module, kDialFacePiece, BlendMultiply); }

// The marker of cell 0 lands on kMarkerPiece's destination; a cell beyond the raster's int32
// coordinates has no place to draw.
void DrawMarker(const ModuleState& module) {
  const RasterPoint cell0 = kMarkerPiece.destination;
  const std::optional<CellPoint> corner = CellCorner(module.selection, {cell0.x, cell0.y});
  if (!corner) return;
  Blend(module.host, PanelImageView(module.panel), kMarkerPiece.source, {corner->x, corner->y},
        BlendMultiply);
}

void DrawPlusButton(const ModuleState& module) { BlendPiece(module, kPlusPiece, BlendMultiply); }

void DrawMinusButton(const ModuleState& module) { BlendPiece(module, kMinusPiece, BlendMultiply); }

// The picture comes from the host's own raster, above the panel.
void DrawFileButton(const ModuleState& module) {
  Copy(module.host, module.host.panelRaster(), kFileButtonPiece.source,
       kFileButtonPiece.destination);
}

// The StampImage (stampBuffer (0,0), RotatedSize) centred on the dial; halving truncates.
void DrawStampOnDial(const ModuleState& module) {
  const HostContext& host = module.host;
  const RotatedSize size = module.rotatedSize;
  const RasterPoint centre = FromPanel(kDialCentre);
  Blend(host, host.canvasView(host.stampBuffer()), {0, 0, size.width, size.height},
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
