// The plug-in's panel as the window shows it, turned from the record's layout (B,G,R, bottom-up,
// unpadded rows) into a top-down QImage. (The canvas is painted by its view, on demand.)
#pragma once

#include <QImage>

#include "host/picture/picture_reader.h"
#include "host/record/complete_record.h"

namespace stamp::gui {

// The plug-in's panel: raster rows 730 to 849 of the panel raster, 240 x 120.
QImage PanelImage(const host::HostRecord& record);

// The picture as the document takes it (top row first, B,G,R), its transparency laid over white.
host::Picture PictureOf(const QImage& image);

}  // namespace stamp::gui
