// Geometric shapes in one dark ink.
#include "sheet.h"

namespace stamp::art {
namespace {

constexpr Rgb kInk{28, 28, 34};
constexpr Point kCentre{0.0, 0.0};

CellArt Circle() { return {{Disc(kCentre, 11.5), kInk}}; }

CellArt Square() { return {{Box({-9.0, -9.0}, {9.0, 9.0}), kInk}}; }

// Lowered a little so that the triangle's box, not its centroid, sits in the middle.
CellArt Triangle() { return {{Polygon(RegularPolygonPoints({0.0, 1.5}, 12.0, 3, 0.0)), kInk}}; }

CellArt Star() { return {{Polygon(StarPoints({0.0, 1.0}, 12.2, 5.0, 5, 0.0)), kInk}}; }

CellArt Heart() {
  const double lift = -0.8;
  return {{Union({Disc({-5.0, -3.5 + lift}, 6.0), Disc({5.0, -3.5 + lift}, 6.0),
                  Polygon({{-10.6, -1.6 + lift},
                           {0.0, 11.0 + lift},
                           {10.6, -1.6 + lift},
                           {0.0, -3.5 + lift}})}),
           kInk}};
}

CellArt Diamond() {
  return {{Polygon({{0.0, -12.5}, {8.5, 0.0}, {0.0, 12.5}, {-8.5, 0.0}}), kInk}};
}

CellArt Hexagon() { return {{Polygon(RegularPolygonPoints(kCentre, 12.0, 6, 90.0)), kInk}}; }

CellArt RingShape() { return {{Ring(kCentre, 6.5, 11.5), kInk}}; }

CellArt Crescent() { return {{Subtract(Disc({-1.0, 0.0}, 11.5), Disc({4.5, -2.0}, 9.5)), kInk}}; }

CellArt BlockArrow() {
  return {{Polygon({{-11.0, -4.0},
                    {1.0, -4.0},
                    {1.0, -10.0},
                    {12.0, 0.0},
                    {1.0, 10.0},
                    {1.0, 4.0},
                    {-11.0, 4.0}}),
           kInk}};
}

// An Archimedean spiral of two turns, drawn as a chain of short round-ended strokes.
CellArt Spiral() {
  constexpr int kSteps = 120;
  constexpr double kTurns = 2.0;
  constexpr double kInner = 1.5;
  constexpr double kOuter = 11.0;
  std::vector<Point> path;
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps;
    path.push_back(Polar(kCentre, kInner + (kOuter - kInner) * t, 360.0 * kTurns * t));
  }
  return {{Polyline(path, 1.2), kInk}};
}

CellArt Trefoil() {
  return {{Union({Disc({0.0, -6.0}, 5.3), Disc({-6.0, 1.0}, 5.3), Disc({6.0, 1.0}, 5.3),
                  Polygon({{0.0, 0.0}, {-3.5, 11.0}, {3.5, 11.0}})}),
           kInk}};
}

}  // namespace

SheetArt ShapesSheet() {
  return {Circle(),  Square(),    Triangle(), Star(),       Heart(),  Diamond(),
          Hexagon(), RingShape(), Crescent(), BlockArrow(), Spiral(), Trefoil()};
}

}  // namespace stamp::art
