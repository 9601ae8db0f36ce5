// Where the canvas lies in the canvas view and at what zoom, in Qt's point types: the rule both
// windows follow (host/document/view_mapping.h), which the painting and the pen both take, so the
// pixel shown under the pointer is the pixel the pen reaches.
#pragma once

#include <QPoint>
#include <QSize>

#include "host/document/view_mapping.h"

namespace stamp::gui {

struct ViewMapping {
  static constexpr int kMinZoom = document::ViewMapping::kMinZoom;
  static constexpr int kMaxZoom = document::ViewMapping::kMaxZoom;

  QPoint origin;  // the canvas's top-left corner in the view (negative once scrolled)
  int zoom = 0;

  QPoint CanvasPoint(QPoint viewPoint) const;
  // The canvas at this zoom: its size in view pixels.
  QSize ShownSize(QSize canvas) const;
  // What the record's view fields and pen-down take: zoomed out, the view origin and the shift
  // with the view point; zoomed in, where the record's conversion cannot magnify, the canvas
  // point itself with origin (0, 0) and shift 0.
  QPoint RecordOrigin() const;
  int RecordShift() const;
  QPoint PenDownPoint(QPoint viewPoint) const;
  // The zoom as the user reads it: "1:4" ... "8:1".
  static QString Name(int zoom);

 private:
  document::ViewMapping Rule() const { return {{origin.x(), origin.y()}, zoom}; }
};

}  // namespace stamp::gui
