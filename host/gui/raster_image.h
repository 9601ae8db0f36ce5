// Pictures of the record's rasters for the window: the composite canvas and the plug-in's panel,
// turned from the record's layout (B,G,R, bottom-up, unpadded rows) into top-down QImages.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QImage>

#include "host/record/host_record.h"

namespace stamp::gui {

// The composite the session shows (CompositeCanvas), canvasWidth x canvasHeight.
QImage CanvasImage(const host::HostRecord& record, std::span<const uint8_t> canvas);

// The plug-in's panel: raster rows 730 to 849 of the panel raster, 240 x 120.
QImage PanelImage(const host::HostRecord& record);

// A layer of width x height in the record's layout: white, with picture at its top-left corner
// (cut at the layer's edges), the picture's transparency laid over white.
std::vector<uint8_t> LayerFromPicture(const QImage& picture, int32_t width, int32_t height);

// The canvas as shown at a zoom shift s: display pixel (x, y) shows canvas pixel (x << s, y << s),
// the pixel pen-down's conversion gives for it.
QImage ZoomedOut(const QImage& canvas, int shift);

}  // namespace stamp::gui
