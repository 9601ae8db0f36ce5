// The selection marker, the two reduction button icons, the empty cells, and the whole panel.
#include <algorithm>

#include "panel_art.h"
#include "raster.h"
#include "sheet.h"

namespace stamp::art {
namespace {

constexpr Rgb kMarkerFrame{36, 118, 224};
constexpr Rgb kMarkerGlow{168, 204, 246};
constexpr double kMarkerFrameWidth = 2.0;
constexpr double kMarkerGlowWidth = 1.0;
constexpr double kMarkerCorner = 3.5;

constexpr Rgb kButtonEdge{176, 182, 194};
constexpr Rgb kGlyph{44, 50, 64};
constexpr double kButtonCorner = 2.0;
constexpr double kGlyphHalfLength = 2.6;
constexpr double kGlyphHalfWidth = 0.9;
constexpr double kEdgeWidth = 1.0;

constexpr Rgb kCellFill{255, 255, 255};
constexpr Rgb kCellEdge{214, 217, 224};
constexpr Rgb kCellHint{224, 227, 234};
constexpr double kHintRadius = 9.0;
constexpr double kHintHalfWidth = 0.5;

// The band between a rounded box and the same box inset by width.
Shape Frame(Region region, double inset, double width, double corner) {
  const Point topLeft{region.x + inset, region.y + inset};
  const Point bottomRight{region.x + region.width - inset, region.y + region.height - inset};
  const Point innerTopLeft{topLeft.x + width, topLeft.y + width};
  const Point innerBottomRight{bottomRight.x - width, bottomRight.y - width};
  return Subtract(RoundedBox(topLeft, bottomRight, corner),
                  RoundedBox(innerTopLeft, innerBottomRight, std::max(corner - width, 0.0)));
}

void DrawButton(Image& panel, Region region, bool withUpright) {
  Paint(panel, region, Frame(region, 0.0, kEdgeWidth, kButtonCorner), kButtonEdge);
  const Point c{region.x + region.width / 2.0, region.y + region.height / 2.0};
  Shape glyph =
      Capsule({c.x - kGlyphHalfLength, c.y}, {c.x + kGlyphHalfLength, c.y}, kGlyphHalfWidth);
  if (withUpright) {
    glyph = Union({glyph, Capsule({c.x, c.y - kGlyphHalfLength}, {c.x, c.y + kGlyphHalfLength},
                                  kGlyphHalfWidth)});
  }
  Paint(panel, region, glyph, kGlyph);
}

}  // namespace

void DrawSelectionMarker(Image& panel, Region region) {
  Paint(panel, region, Frame(region, 0.0, kMarkerFrameWidth, kMarkerCorner), kMarkerFrame);
  Paint(panel, region,
        Frame(region, kMarkerFrameWidth, kMarkerGlowWidth, kMarkerCorner - kMarkerFrameWidth),
        kMarkerGlow);
}

void DrawPlusIcon(Image& panel, Region region) { DrawButton(panel, region, true); }

void DrawMinusIcon(Image& panel, Region region) { DrawButton(panel, region, false); }

// Before a sheet is loaded the grid shows twelve empty white slots with a faint circle where a
// stamp would sit.
void DrawDefaultCells(Image& panel, Region region) {
  panel.Fill(region, kCellFill);
  for (int index = 0; index < kCellCount; ++index) {
    const Region cell = CellRegion(index, region.x, region.y);
    Paint(panel, cell, Frame(cell, 0.0, kEdgeWidth, 0.0), kCellEdge);
    PaintCentred(panel, cell,
                 Ring({0.0, 0.0}, kHintRadius - kHintHalfWidth, kHintRadius + kHintHalfWidth),
                 kCellHint);
  }
}

Image DrawPanel() {
  Image panel(kPanelWidth, kPanelHeight, kWhite);
  DrawDialFace(panel, kDialFaceRegion);
  DrawDialBackground(panel, kDialBackgroundRegion);
  DrawDefaultCells(panel, kCellAreaRegion);
  DrawSelectionMarker(panel, kMarkerRegion);
  DrawPlusIcon(panel, kPlusIconRegion);
  DrawMinusIcon(panel, kMinusIconRegion);
  return panel;
}

}  // namespace stamp::art
