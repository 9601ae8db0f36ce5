#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "shape.h"

namespace stamp::art {
namespace {

constexpr double kFullTurn = 360.0;
constexpr double kHalfTurn = 180.0;

double Radians(double degrees) { return degrees * std::numbers::pi / kHalfTurn; }

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  if (lengthSquared == 0.0) return Distance(p, a);
  const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
  return Distance(p, {a.x + t * dx, a.y + t * dy});
}

// Clockwise-from-up direction of p seen from centre, in [0, 360).
double Bearing(Point centre, Point p) {
  const double degrees = std::atan2(p.x - centre.x, centre.y - p.y) * kHalfTurn / std::numbers::pi;
  return degrees < 0.0 ? degrees + kFullTurn : degrees;
}

// Winding number of the closed outline around p; the edge crossing test counts upward and
// downward crossings with opposite signs.
int Winding(const std::vector<Point>& vertices, Point p) {
  int winding = 0;
  for (size_t i = 0; i < vertices.size(); ++i) {
    const Point a = vertices[i];
    const Point b = vertices[(i + 1) % vertices.size()];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y && b.y > p.y && side > 0.0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0.0) --winding;
  }
  return winding;
}

}  // namespace

Point Polar(Point centre, double radius, double degrees) {
  return {centre.x + radius * std::sin(Radians(degrees)),
          centre.y - radius * std::cos(Radians(degrees))};
}

Shape Disc(Point centre, double radius) {
  return [=](Point p) { return Distance(p, centre) <= radius; };
}

Shape Ellipse(Point centre, double radiusX, double radiusY) {
  return [=](Point p) {
    const double u = (p.x - centre.x) / radiusX;
    const double v = (p.y - centre.y) / radiusY;
    return u * u + v * v <= 1.0;
  };
}

Shape Ring(Point centre, double innerRadius, double outerRadius) {
  return [=](Point p) {
    const double d = Distance(p, centre);
    return d >= innerRadius && d <= outerRadius;
  };
}

Shape Box(Point topLeft, Point bottomRight) {
  return [=](Point p) {
    return p.x >= topLeft.x && p.x <= bottomRight.x && p.y >= topLeft.y && p.y <= bottomRight.y;
  };
}

Shape RoundedBox(Point topLeft, Point bottomRight, double cornerRadius) {
  return [=](Point p) {
    const double cx = std::clamp(p.x, topLeft.x + cornerRadius, bottomRight.x - cornerRadius);
    const double cy = std::clamp(p.y, topLeft.y + cornerRadius, bottomRight.y - cornerRadius);
    return Distance(p, {cx, cy}) <= cornerRadius;
  };
}

Shape Polygon(std::vector<Point> vertices) {
  return [vertices = std::move(vertices)](Point p) { return Winding(vertices, p) != 0; };
}

Shape Capsule(Point from, Point to, double halfWidth) {
  return [=](Point p) { return SegmentDistance(p, from, to) <= halfWidth; };
}

Shape Polyline(const std::vector<Point>& points, double halfWidth) {
  std::vector<Shape> segments;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    segments.push_back(Capsule(points[i], points[i + 1], halfWidth));
  }
  return Union(std::move(segments));
}

Shape Arc(Point centre, double radius, double halfWidth, double fromDegrees, double toDegrees) {
  const double sweep = toDegrees - fromDegrees;
  const Shape band = [=](Point p) {
    if (std::abs(Distance(p, centre) - radius) > halfWidth) return false;
    const double along = std::fmod(Bearing(centre, p) - fromDegrees + 2 * kFullTurn, kFullTurn);
    return along <= sweep;
  };
  return Union({band, Disc(Polar(centre, radius, fromDegrees), halfWidth),
                Disc(Polar(centre, radius, toDegrees), halfWidth)});
}

std::vector<Point> RegularPolygonPoints(Point centre, double radius, int sides,
                                        double startDegrees) {
  std::vector<Point> points;
  for (int i = 0; i < sides; ++i) {
    points.push_back(Polar(centre, radius, startDegrees + kFullTurn * i / sides));
  }
  return points;
}

std::vector<Point> StarPoints(Point centre, double outerRadius, double innerRadius, int tips,
                              double startDegrees) {
  std::vector<Point> points;
  const double step = kHalfTurn / tips;
  for (int i = 0; i < 2 * tips; ++i) {
    const double radius = i % 2 == 0 ? outerRadius : innerRadius;
    points.push_back(Polar(centre, radius, startDegrees + step * i));
  }
  return points;
}

}  // namespace stamp::art
