#include "host/gui/views/view_mapping.h"

#include <QString>

namespace stamp::gui {
namespace {

document::Point FromQt(QPoint point) { return {point.x(), point.y()}; }
QPoint ToQt(document::Point point) { return {point.x, point.y}; }

}  // namespace

QPoint ViewMapping::CanvasPoint(QPoint viewPoint) const {
  return ToQt(Rule().CanvasPoint(FromQt(viewPoint)));
}

QSize ViewMapping::ShownSize(QSize canvas) const {
  const document::Size shown = Rule().ShownSize({canvas.width(), canvas.height()});
  return {shown.width, shown.height};
}

QPoint ViewMapping::RecordOrigin() const { return ToQt(Rule().RecordOrigin()); }

int ViewMapping::RecordShift() const { return Rule().RecordShift(); }

QPoint ViewMapping::PenDownPoint(QPoint viewPoint) const {
  return ToQt(Rule().PenDownPoint(FromQt(viewPoint)));
}

QString ViewMapping::Name(int zoom) {
  return QString::fromStdString(document::ViewMapping::Name(zoom));
}

}  // namespace stamp::gui
