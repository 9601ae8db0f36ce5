// The panel artwork: one 264x100 image holding the dial, the selection marker, the two button
// icons and the default cells shown before any stamp sheet is loaded. The plug-in lays each
// region onto its panel in its own way, which decides how each one is drawn here:
//   dial face       multiplied: white lets the panel through, darker tones shade it;
//   dial background added: black changes nothing, a dark tint lightens the panel under the dial;
//   cells           copied as they are;
//   marker, icons   multiplied: white inside, so only the frame and the glyphs show.
#pragma once

#include "image.h"

namespace stamp::art {

inline constexpr int kPanelWidth = 264;
inline constexpr int kPanelHeight = 100;
inline constexpr Region kDialFaceRegion{0, 0, 70, 70};
inline constexpr Region kDialBackgroundRegion{190, 0, 70, 70};
inline constexpr Region kCellAreaRegion{70, 0, 120, 90};
inline constexpr Region kMarkerRegion{0, 70, 30, 30};
inline constexpr Region kPlusIconRegion{40, 70, 10, 10};
inline constexpr Region kMinusIconRegion{40, 80, 10, 10};

void DrawDialFace(Image& panel, Region region);
void DrawDialBackground(Image& panel, Region region);
void DrawDefaultCells(Image& panel, Region region);
void DrawSelectionMarker(Image& panel, Region region);
void DrawPlusIcon(Image& panel, Region region);
void DrawMinusIcon(Image& panel, Region region);

Image DrawPanel();

}  // namespace stamp::art
