// Where the canvas lies in the canvas pane and at what zoom: the one rule that turns a point of
// the pane into a canvas pixel, which the painting and the pen both follow, so the pixel shown
// under the pointer is the pixel the pen reaches. Both windows follow it (the Qt window through
// its own point types, host/gui/views/view_mapping.h).
//
// The zoom z runs from 1:4 (z = -2) through 1:1 (0) to 8:1 (3). Zoomed out, view point v shows
// canvas pixel (v - origin) << -z, the tool's own pen-down conversion with zoomShift -z. Zoomed
// in, each canvas pixel is a block of 2^z by 2^z view pixels (nearest neighbour): v shows
// (v - origin) >> z, rounded toward minus infinity.
#pragma once

#include <cstdint>
#include <string>

namespace stamp::document {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
};

struct ViewMapping {
  static constexpr int kMinZoom = -2;
  static constexpr int kMaxZoom = 3;

  Point origin;  // the canvas's top-left corner in the view (negative once scrolled)
  int zoom = 0;

  Point CanvasPoint(Point viewPoint) const;
  // The canvas at this zoom: its size in view pixels.
  Size ShownSize(Size canvas) const;
  // What the record's view fields and pen-down take: zoomed out, the view origin and the shift
  // with the view point; zoomed in, where the record's conversion cannot magnify, the canvas
  // point itself with origin (0, 0) and shift 0.
  Point RecordOrigin() const;
  int32_t RecordShift() const;
  Point PenDownPoint(Point viewPoint) const;
  // The zoom as the user reads it: "1:4" ... "8:1".
  static std::string Name(int zoom);
};

}  // namespace stamp::document
