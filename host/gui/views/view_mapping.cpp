#include "host/gui/views/view_mapping.h"

#include <QString>

namespace stamp::gui {

QPoint ViewMapping::CanvasPoint(QPoint viewPoint) const {
  const QPoint offset = viewPoint - origin;
  if (zoom <= 0) return {offset.x() << -zoom, offset.y() << -zoom};
  return {offset.x() >> zoom, offset.y() >> zoom};
}

QSize ViewMapping::ShownSize(QSize canvas) const {
  if (zoom <= 0) return {canvas.width() >> -zoom, canvas.height() >> -zoom};
  return {canvas.width() << zoom, canvas.height() << zoom};
}

QPoint ViewMapping::RecordOrigin() const { return zoom <= 0 ? origin : QPoint(0, 0); }

int ViewMapping::RecordShift() const { return zoom <= 0 ? -zoom : 0; }

QPoint ViewMapping::PenDownPoint(QPoint viewPoint) const {
  return zoom <= 0 ? viewPoint : CanvasPoint(viewPoint);
}

QString ViewMapping::Name(int zoom) {
  return zoom <= 0 ? QString("1:%1").arg(1 << -zoom) : QString("%1:1").arg(1 << zoom);
}

}  // namespace stamp::gui
