#include "host/document/view_mapping.h"

namespace stamp::document {

Point ViewMapping::CanvasPoint(Point viewPoint) const {
  const int32_t x = viewPoint.x - origin.x;
  const int32_t y = viewPoint.y - origin.y;
  if (zoom <= 0) return {x * (1 << -zoom), y * (1 << -zoom)};
  return {x >> zoom, y >> zoom};
}

Size ViewMapping::ShownSize(Size canvas) const {
  if (zoom <= 0) return {canvas.width >> -zoom, canvas.height >> -zoom};
  return {canvas.width << zoom, canvas.height << zoom};
}

Point ViewMapping::RecordOrigin() const { return zoom <= 0 ? origin : Point{}; }

int32_t ViewMapping::RecordShift() const { return zoom <= 0 ? -zoom : 0; }

Point ViewMapping::PenDownPoint(Point viewPoint) const {
  return zoom <= 0 ? viewPoint : CanvasPoint(viewPoint);
}

std::string ViewMapping::Name(int zoom) {
  return zoom <= 0 ? "1:" + std::to_string(1 << -zoom) : std::to_string(1 << zoom) + ":1";
}

}  // namespace stamp::document
