// The plug-in's panel as the window shows it, turned from the record's layout (B,G,R, bottom-up,
// unpadded rows) into a top-down QImage. (The canvas is painted by its view, on demand.)
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

#include "host/record/complete_record.h"

namespace stamp::gui {

// The plug-in's panel: raster rows 730 to 849 of the panel raster, 240 x 120.
QImage PanelImage(const host::HostRecord& record);

// A layer of width x height in the record's layout: white, with picture at its top-left corner
// (cut at the layer's edges), the picture's transparency laid over white.
std::vector<uint8_t> LayerFromPicture(const QImage& picture, int32_t width, int32_t height);

}  // namespace stamp::gui
