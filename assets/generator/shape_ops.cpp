#include <cmath>
#include <numbers>
#include <utility>

#include "shape.h"

namespace stamp::art {

Shape Union(std::vector<Shape> parts) {
  return [parts = std::move(parts)](Point p) {
    for (const Shape& part : parts) {
      if (part(p)) return true;
    }
    return false;
  };
}

Shape Subtract(Shape shape, Shape hole) {
  return
      [shape = std::move(shape), hole = std::move(hole)](Point p) { return shape(p) && !hole(p); };
}

Shape Intersect(Shape first, Shape second) {
  return [first = std::move(first), second = std::move(second)](Point p) {
    return first(p) && second(p);
  };
}

// Turning the shape clockwise on screen means sampling it at the point turned back
// anticlockwise; with y pointing down, that is the ordinary rotation matrix with -angle.
Shape Rotated(Shape shape, Point pivot, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return [shape = std::move(shape), pivot, c, s](Point p) {
    const double dx = p.x - pivot.x;
    const double dy = p.y - pivot.y;
    return shape({pivot.x + dx * c + dy * s, pivot.y - dx * s + dy * c});
  };
}

Shape Translated(Shape shape, Point offset) {
  return [shape = std::move(shape), offset](Point p) {
    return shape({p.x - offset.x, p.y - offset.y});
  };
}

}  // namespace stamp::art
