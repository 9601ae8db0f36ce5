// Shapes as inside-tests on the plane. Every drawing is built from a few primitives combined by
// union, difference and intersection, then rasterised with supersampling (raster.h).
//
// Coordinates are top-down like the images: y grows downwards. Angles are in degrees, measured
// clockwise from straight up, as on a dial.
#pragma once

#include <functional>
#include <vector>

namespace stamp::art {

struct Point {
  double x;
  double y;
};

using Shape = std::function<bool(Point)>;

// The point at distance radius from centre in the direction degrees (0 up, 90 right).
Point Polar(Point centre, double radius, double degrees);

Shape Disc(Point centre, double radius);
Shape Ellipse(Point centre, double radiusX, double radiusY);
Shape Ring(Point centre, double innerRadius, double outerRadius);
Shape Box(Point topLeft, Point bottomRight);
Shape RoundedBox(Point topLeft, Point bottomRight, double cornerRadius);
// Non-zero winding rule, so self-intersecting outlines such as a pentagram fill solid.
Shape Polygon(std::vector<Point> vertices);
// A thick line with round ends.
Shape Capsule(Point from, Point to, double halfWidth);
Shape Polyline(const std::vector<Point>& points, double halfWidth);
// A thick circular arc from fromDegrees clockwise to toDegrees, with round ends.
Shape Arc(Point centre, double radius, double halfWidth, double fromDegrees, double toDegrees);

std::vector<Point> RegularPolygonPoints(Point centre, double radius, int sides,
                                        double startDegrees);
std::vector<Point> StarPoints(Point centre, double outerRadius, double innerRadius, int tips,
                              double startDegrees);

Shape Union(std::vector<Shape> parts);
Shape Subtract(Shape shape, Shape hole);
Shape Intersect(Shape first, Shape second);
// The shape turned clockwise by degrees about pivot.
Shape Rotated(Shape shape, Point pivot, double degrees);
// The shape moved by offset: a shape drawn around (0,0) placed at offset.
Shape Translated(Shape shape, Point offset);

}  // namespace stamp::art
