// The host's own drawing into its rasters: its colours, and pixels and rectangles filled with
// them. Colours are 0x00RRGGBB.
#pragma once

#include <cstdint>

#include "host/record/raster_view.h"

namespace stamp::host {

inline constexpr uint32_t kPanelBackground = 0xE4E9F0;  // a light blue-grey
inline constexpr uint32_t kFrameColor = 0x7A8599;       // borders and frames
inline constexpr uint32_t kButtonFace = 0xF7F8FA;
inline constexpr uint32_t kButtonShadow = 0xB9C1CE;

void PutColor(const RasterView& raster, int32_t x, int32_t y, uint32_t color);
// Fills the rectangle of width x height pixels whose top-left is (x, y).
void FillRect(const RasterView& raster, int32_t x, int32_t y, int32_t width, int32_t height,
              uint32_t color);

}  // namespace stamp::host
