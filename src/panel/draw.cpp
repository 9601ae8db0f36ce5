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

// Where a fixed piece's pixels come from: the PanelImage, or the host's own raster above the
// panel (the file button's picture).
enum class PieceSource { kPanelImage, kHostRaster };

// A fixed piece of the panel and how it lands: copied, or blended in the given mode.
struct PieceDraw {
  const PanelPiece* piece;
  PieceSource source;
  std::optional<BlendMode> blend;
};

// The pieces in the order they are drawn, before and after the marker on the selected cell:
// the file button's copy covers the part of the grid it overlaps, marker and all.
constexpr PieceDraw kPiecesBelowMarker[] = {
    {&kCellGridPiece, PieceSource::kPanelImage, std::nullopt},
    {&kDialBackgroundPiece, PieceSource::kPanelImage, BlendAdd},
    {&kDialFacePiece, PieceSource::kPanelImage, BlendMultiply},
};
constexpr PieceDraw kPiecesAboveMarker[] = {
    {&kPlusPiece, PieceSource::kPanelImage, BlendMultiply},
    {&kMinusPiece, PieceSource::kPanelImage, BlendMultiply},
    {&kFileButtonPiece, PieceSource::kHostRaster, std::nullopt},
};

void Blend(const HostContext& host, ConstImageView source, Region from, RasterPoint to,
           BlendMode mode) {
  BlitBlend(host.panelRaster(), to.x, to.y, from.width, from.height, source, from.x, from.y, mode);
}

void DrawPiece(const PanelScene& scene, const PieceDraw& draw) {
  const ConstImageView source =
      draw.source == PieceSource::kPanelImage ? scene.panelImage : scene.host.panelRaster();
  const Region from = draw.piece->source;
  const RasterPoint to = draw.piece->destination;
  if (!draw.blend) {
    BlitCopy(scene.host.panelRaster(), to.x, to.y, from.width, from.height, source, from.x, from.y,
             kSrcCopy);
    return;
  }
  Blend(scene.host, source, from, to, *draw.blend);
}

// The marker of cell 0 lands on kMarkerPiece's destination; a cell beyond the raster's int32
// coordinates has no place to draw.
void DrawMarker(const PanelScene& scene) {
  const RasterPoint cell0 = kMarkerPiece.destination;
  const std::optional<CellPoint> corner = CellCorner(scene.settings.selection, {cell0.x, cell0.y});
  if (!corner) return;
  Blend(scene.host, scene.panelImage, kMarkerPiece.source, {corner->x, corner->y}, BlendMultiply);
}

// The StampImage (stampBuffer (0,0), RotatedSize) centred on the dial; halving truncates.
void DrawStampOnDial(const PanelScene& scene) {
  const HostContext& host = scene.host;
  const RotatedSize size = scene.stampSize;
  const RasterPoint centre = FromPanel(kDialCentre);
  Blend(host, host.canvasView(host.stampBuffer()), {0, 0, size.width, size.height},
        {centre.x - size.width / 2, centre.y - size.height / 2}, BlendMultiply);
}

}  // namespace

// The angle is positive for a counter-clockwise turn; the panel shows the clockwise turn. The
// negation is taken in 64 bits, so an angle of INT32_MIN from the profile shows 2147483648.
void DrawPanel(const PanelScene& scene) {
  for (const PieceDraw& piece : kPiecesBelowMarker) DrawPiece(scene, piece);
  DrawMarker(scene);
  for (const PieceDraw& piece : kPiecesAboveMarker) DrawPiece(scene, piece);
  DrawStampOnDial(scene);
  DrawInteger(scene.host.panelDC(), -int64_t{scene.settings.angle}, kAngleTextRect);
  DrawInteger(scene.host.panelDC(), scene.settings.reduction, kReductionTextRect);
}

}  // namespace stamp
