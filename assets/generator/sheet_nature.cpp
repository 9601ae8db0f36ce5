// Things from outdoors, each in its own colours.
#include "sheet.h"

namespace stamp::art {
namespace {

constexpr Point kCentre{0.0, 0.0};
constexpr double kFullTurn = 360.0;

CellArt Leaf() {
  constexpr double kTilt = 40.0;
  const Shape blade = Intersect(Disc({-5.5, 0.0}, 12.0), Disc({5.5, 0.0}, 12.0));
  const Shape stem = Capsule({0.0, 9.0}, {0.0, 12.5}, 0.9);
  const Shape vein = Capsule({0.0, -7.5}, {0.0, 9.0}, 0.5);
  return {{Rotated(Union({blade, stem}), kCentre, kTilt), {70, 150, 50}},
          {Rotated(vein, kCentre, kTilt), {180, 225, 150}}};
}

CellArt Flower() {
  constexpr int kPetals = 5;
  std::vector<Shape> petals;
  for (int i = 0; i < kPetals; ++i) {
    petals.push_back(Disc(Polar(kCentre, 6.5, kFullTurn * i / kPetals), 5.0));
  }
  return {{Union(std::move(petals)), {230, 90, 150}}, {Disc(kCentre, 3.8), {250, 195, 40}}};
}

CellArt Sun() {
  constexpr int kRays = 8;
  constexpr double kHalfRay = 11.0;
  std::vector<Shape> rays;
  for (int i = 0; i < kRays; ++i) {
    const double a = kFullTurn * i / kRays;
    rays.push_back(Polygon({Polar(kCentre, 8.0, a - kHalfRay), Polar(kCentre, 12.5, a),
                            Polar(kCentre, 8.0, a + kHalfRay)}));
  }
  return {{Union(std::move(rays)), {240, 130, 20}}, {Disc(kCentre, 6.5), {245, 165, 25}}};
}

CellArt Cloud() {
  return {{Union({Disc({-5.0, 1.5}, 5.0), Disc({1.0, -2.5}, 6.5), Disc({6.5, 2.0}, 4.5),
                  RoundedBox({-10.0, 1.5}, {11.0, 7.0}, 2.5)}),
           {115, 155, 215}}};
}

// The tip's two edges meet the round bottom on its tangents, 64 degrees either side of straight
// up for a 7-pixel circle 16 pixels below the tip.
CellArt Raindrop() {
  const Point bottom{0.0, 3.5};
  const Shape drop =
      Union({Disc(bottom, 7.0),
             Polygon({{0.0, -12.5}, Polar(bottom, 7.0, 64.0), Polar(bottom, 7.0, -64.0)})});
  return {{drop, {40, 120, 220}}, {Arc(bottom, 4.2, 0.9, 215.0, 265.0), {175, 210, 250}}};
}

CellArt FirTree() {
  const Shape crown = Union({Polygon({{0.0, -12.5}, {-5.5, -4.0}, {5.5, -4.0}}),
                             Polygon({{0.0, -8.5}, {-8.0, 1.5}, {8.0, 1.5}}),
                             Polygon({{0.0, -3.5}, {-10.0, 7.5}, {10.0, 7.5}})});
  return {{Box({-1.8, 6.0}, {1.8, 12.0}), {130, 85, 45}}, {crown, {40, 130, 70}}};
}

CellArt Snowflake() {
  constexpr int kArms = 6;
  std::vector<Shape> strokes;
  for (int i = 0; i < kArms; ++i) {
    const double a = kFullTurn * i / kArms;
    const Point fork = Polar(kCentre, 6.5, a);
    strokes.push_back(Capsule(kCentre, Polar(kCentre, 12.0, a), 1.1));
    strokes.push_back(Capsule(fork, Polar(fork, 3.8, a - 45.0), 0.9));
    strokes.push_back(Capsule(fork, Polar(fork, 3.8, a + 45.0), 0.9));
  }
  return {{Union(std::move(strokes)), {60, 140, 210}}};
}

CellArt Mushroom() {
  const Shape cap =
      Union({Intersect(Ellipse({0.0, 1.0}, 11.5, 10.0), Box({-12.0, -12.0}, {12.0, 1.0})),
             RoundedBox({-11.5, -0.5}, {11.5, 2.5}, 1.5)});
  const Shape spots =
      Union({Disc({-5.0, -3.0}, 2.0), Disc({1.5, -6.0}, 1.8), Disc({5.5, -2.0}, 1.6)});
  return {{RoundedBox({-4.0, 1.0}, {4.0, 11.5}, 2.0), {215, 175, 125}},
          {cap, {215, 45, 40}},
          {spots, kWhite}};
}

CellArt Fish() {
  const Shape body = Ellipse({-2.0, 0.0}, 8.5, 5.8);
  const Shape tail = Polygon({{5.0, 0.0}, {11.5, -5.5}, {10.0, 0.0}, {11.5, 5.5}});
  const Shape fin = Polygon({{-4.0, -5.0}, {0.5, -8.5}, {2.0, -4.5}});
  return {{Union({body, tail, fin}), {30, 150, 160}},
          {Disc({-6.5, -1.5}, 1.8), kWhite},
          {Disc({-6.8, -1.5}, 0.9), {20, 30, 40}}};
}

CellArt Butterfly() {
  std::vector<Shape> wings;
  for (const double side : {-1.0, 1.0}) {
    wings.push_back(
        Rotated(Ellipse({5.5 * side, -4.0}, 5.5, 4.3), {5.5 * side, -4.0}, 30.0 * side));
    wings.push_back(Rotated(Ellipse({4.5 * side, 4.5}, 4.0, 3.4), {4.5 * side, 4.5}, -30.0 * side));
  }
  const Shape body =
      Union({Capsule({0.0, -6.5}, {0.0, 8.0}, 1.2), Capsule({0.0, -6.5}, {-3.0, -11.5}, 0.55),
             Capsule({0.0, -6.5}, {3.0, -11.5}, 0.55)});
  return {{Union(std::move(wings)), {150, 80, 200}},
          {Union({Disc({-6.0, -4.5}, 1.7), Disc({6.0, -4.5}, 1.7)}), {215, 185, 240}},
          {body, {50, 40, 60}}};
}

CellArt Cherries() {
  const Shape stems = Union({Polyline({{-5.0, 3.0}, {-3.0, -3.0}, {1.5, -10.0}}, 0.8),
                             Polyline({{5.0, 2.5}, {3.5, -4.0}, {1.5, -10.0}}, 0.8)});
  const Shape leaf =
      Rotated(Intersect(Disc({-2.5, 0.0}, 4.5), Disc({2.5, 0.0}, 4.5)), {0.0, 0.0}, 60.0);
  return {{stems, {95, 115, 40}},
          {Translated(leaf, {5.0, -9.0}), {80, 160, 50}},
          {Union({Disc({-5.0, 6.5}, 4.7), Disc({5.0, 6.0}, 4.7)}), {200, 30, 50}},
          {Union({Disc({-6.5, 5.0}, 1.1), Disc({3.5, 4.5}, 1.1)}), {245, 170, 180}}};
}

CellArt Mountain() {
  const Shape range = Polygon({{-10.5, 7.5}, {-3.0, -11.0}, {1.5, -3.0}, {5.0, -7.0}, {10.5, 7.5}});
  const Shape snowLine = Polygon({{-3.0, -13.0},
                                  {-7.5, -3.0},
                                  {-5.5, -4.5},
                                  {-3.5, -3.0},
                                  {-2.0, -5.0},
                                  {0.5, -3.5},
                                  {1.0, -13.0}});
  return {{range, {85, 95, 125}}, {Intersect(range, snowLine), kWhite}};
}

}  // namespace

SheetArt NatureSheet() {
  return {Leaf(),      Flower(),   Sun(),  Cloud(),     Raindrop(), FirTree(),
          Snowflake(), Mushroom(), Fish(), Butterfly(), Cherries(), Mountain()};
}

}  // namespace stamp::art
