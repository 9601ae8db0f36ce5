// The panel artwork: one 264x100 image holding the dial, the selection marker, the two button
// icons and the default cells shown before any stamp sheet is loaded. The plug-in lays each
// region onto its panel in its own way, which decides how each one is drawn here:
//   dial face       multiplied: white lets the panel through, darker tones shade it;
//   dial background added: black changes nothing, a dark tint lightens the panel under the dial;
//   cells           copied as they are;
//   marker, icons   multiplied: white inside, so only the frame and the glyphs show.
#pragma once

#include "image.h"
#include "src/core/panel_image_layout.h"

namespace stamp::art {

// The regions of the plug-in's PanelImage layout.
constexpr Region ArtRegion(stamp::Region region) {
  return {region.x, region.y, region.width, region.height};
}

inline constexpr int kPanelWidth = kPanelImageWidth;
inline constexpr int kPanelHeight = kPanelImageHeight;
inline constexpr Region kDialFaceRegion = ArtRegion(kDialFaceArt);
inline constexpr Region kDialBackgroundRegion = ArtRegion(kDialBackgroundArt);
inline constexpr Region kCellAreaRegion = ArtRegion(kCellArea);
inline constexpr Region kMarkerRegion = ArtRegion(kMarkerArt);
inline constexpr Region kPlusIconRegion = ArtRegion(kPlusArt);
inline constexpr Region kMinusIconRegion = ArtRegion(kMinusArt);

void DrawDialFace(Image& panel, Region region);
void DrawDialBackground(Image& panel, Region region);
void DrawDefaultCells(Image& panel, Region region);
void DrawSelectionMarker(Image& panel, Region region);
void DrawPlusIcon(Image& panel, Region region);
void DrawMinusIcon(Image& panel, Region region);

Image DrawPanel();

}  // namespace stamp::art
