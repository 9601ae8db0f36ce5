// Every rectangle goes through the pixel engine with the geometry of the buffer it belongs to: the
// panel raster as 240x1050 bounded by panelBytes, the PanelImage as 264x100 bounded by its 79200
// bytes, stampBuffer with the canvas geometry bounded by canvasBytes. Pixels outside a bound are
// skipped one by one, so no step can reach beyond a buffer.
#include "src/panel/draw.h"

#include <cstdint>
#include <optional>

#include "src/core/panel_image_layout.h"
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

void BlendPiece(const PanelScene& scene, const PanelPiece& piece, BlendMode mode) {
  Blend(scene.host, scene.panelImage, piece.source, piece.destination, mode);
}

void DrawCellGrid(const PanelScene& scene) {
  Copy(scene.host, scene.panelImage, kCellGridPiece.source, kCellGridPiece.destination);
}

void DrawDialBackground(const PanelScene& scene) {
  BlendPiece(scene, kDialBackgroundPiece, BlendAdd);
}

void DrawDialFace(const PanelScene& scene) { BlendPiece(scene, kDialFacePiece, BlendMultiply); }

// The marker of cell 0 lands on kMarkerPiece's destination; a cell beyond the raster's int32
// coordinates has no place to draw.
void DrawMarker(const PanelScene& scene) {
  const RasterPoint cell0 = kMarkerPiece.destination;
  const std::optional<CellPoint> corner = CellCorner(scene.settings.selection, {cell0.x, cell0.y});
  if (!corner) return;
  Blend(scene.host, scene.panelImage, kMarkerPiece.source, {corner->x, corner->y},
        BlendMultiply);
}

void DrawPlusButton(const PanelScene& scene) { BlendPiece(scene, kPlusPiece, BlendMultiply); }

void DrawMinusButton(const PanelScene& scene) { BlendPiece(scene, kMinusPiece, BlendMultiply); }

// The picture comes from the host's own raster, above the panel.
void DrawFileButton(const PanelScene& scene) {
  Copy(scene.host, scene.host.panelRaster(), kFileButtonPiece.source,
       kFileButtonPiece.destination);
}

// The StampImage (stampBuffer (0,0), RotatedSize) centred on the dial; halving truncates.
void DrawStampOnDial(const PanelScene& scene) {
  const HostContext& host = scene.host;
  const RotatedSize size = scene.stampSize;
  const RasterPoint centre = FromPanel(kDialCentre);
  Blend(host, host.canvasView(host.stampBuffer()), {0, 0, size.width, size.height},
        {centre.x - size.width / 2, centre.y - size.height / 2}, BlendMultiply);
}

// The angle is positive for a counter-clockwise turn; the panel shows the clockwise turn. The
// negation is taken in 64 bits, so an angle of INT32_MIN from the profile shows 2147483648.
void DrawAngleValue(const PanelScene& scene) {
  DrawInteger(scene.host.panelDC(), -int64_t{scene.settings.angle}, kAngleTextRect);
}

void DrawReductionValue(const PanelScene& scene) {
  DrawInteger(scene.host.panelDC(), scene.settings.reduction, kReductionTextRect);
}

}  // namespace

void DrawPanel(const PanelScene& scene) {
  DrawCellGrid(scene);
  DrawDialBackground(scene);
  DrawDialFace(scene);
  DrawMarker(scene);
  DrawPlusButton(scene);
  DrawMinusButton(scene);
  DrawFileButton(scene);
  DrawStampOnDial(scene);
  DrawAngleValue(scene);
  DrawReductionValue(scene);
}

}  // namespace stamp
