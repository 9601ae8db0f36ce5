// Signs and marks, drawn as thick round-ended strokes.
#include "sheet.h"

namespace stamp::art {
namespace {

constexpr Point kCentre{0.0, 0.0};
constexpr double kStroke = 1.8;
constexpr Rgb kArrowInk{30, 50, 110};

// An arrow pointing up, turned clockwise by degrees.
CellArt LineArrow(double degrees) {
  const Shape arrow = Union({Capsule({0.0, 10.5}, {0.0, -9.5}, kStroke),
                             Polyline({{-7.5, -2.5}, {0.0, -10.0}, {7.5, -2.5}}, kStroke)});
  return {{Rotated(arrow, kCentre, degrees), kArrowInk}};
}

CellArt Check() {
  return {{Polyline({{-9.0, 0.5}, {-3.0, 7.0}, {9.5, -7.5}}, 2.1), {30, 140, 60}}};
}

CellArt Cross() {
  return {{Union({Capsule({-8.0, -8.0}, {8.0, 8.0}, 2.1), Capsule({-8.0, 8.0}, {8.0, -8.0}, 2.1)}),
           {200, 40, 40}}};
}

CellArt Note() {
  const Shape head = Rotated(Ellipse({-2.8, 7.0}, 4.3, 3.1), {-2.8, 7.0}, -20.0);
  const Shape stem = Box({0.2, -11.0}, {1.9, 6.5});
  const Shape flag =
      Polyline({{1.2, -10.5}, {4.0, -7.5}, {7.5, -5.0}, {8.0, -1.5}, {6.5, 1.5}}, 1.2);
  return {{Union({head, stem, flag}), {25, 25, 30}}};
}

CellArt Lightning() {
  return {
      {Polygon({{3.5, -12.5}, {-7.0, 1.5}, {-1.0, 1.5}, {-4.0, 12.5}, {7.0, -2.0}, {1.0, -2.0}}),
       {235, 150, 0}}};
}

CellArt Plus() {
  return {{Union({Capsule({-9.0, 0.0}, {9.0, 0.0}, 2.3), Capsule({0.0, -9.0}, {0.0, 9.0}, 2.3)}),
           {30, 100, 200}}};
}

CellArt Minus() { return {{Capsule({-9.0, 0.0}, {9.0, 0.0}, 2.3), {30, 100, 200}}}; }

// The hook runs from the left of the bowl over the top and round to its lower right, then the
// stroke drops to the middle.
CellArt Question() {
  const Point bowl{0.0, -4.5};
  const Shape hook =
      Union({Arc(bowl, 5.5, 1.9, 270.0, 510.0), Capsule(Polar(bowl, 5.5, 150.0), {0.0, 4.0}, 1.9)});
  return {{Union({hook, Disc({0.0, 9.5}, 2.2)}), {110, 50, 160}}};
}

CellArt Exclamation() {
  const Shape bar = Union(
      {Polygon({{-2.6, -10.0}, {2.6, -10.0}, {1.3, 4.5}, {-1.3, 4.5}}), Disc({0.0, -10.0}, 2.6)});
  return {{Union({bar, Disc({0.0, 9.5}, 2.3)}), {220, 70, 30}}};
}

}  // namespace

SheetArt SymbolsSheet() {
  return {LineArrow(0.0), LineArrow(90.0), LineArrow(180.0), LineArrow(270.0),
          Check(),        Cross(),         Note(),           Lightning(),
          Plus(),         Minus(),         Question(),       Exclamation()};
}

}  // namespace stamp::art
