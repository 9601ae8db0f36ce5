// The rotation dial. The prepared stamp, at most 42x42, is laid over the face's centre, so the
// centre stays white and the scale lives in the ring outside it.
#include <algorithm>
#include <cmath>

#include "panel_art.h"
#include "raster.h"

namespace stamp::art {
namespace {

constexpr double kRimOuter = 34.5;
constexpr double kRimInner = 31.5;
constexpr double kScaleInner = 22.5;
constexpr double kHairline = 0.6;
constexpr double kMajorTickFrom = 24.5;
constexpr double kMinorTickFrom = 27.0;
constexpr double kTickTo = 30.5;
constexpr double kMajorTickHalfWidth = 1.0;
constexpr double kMinorTickHalfWidth = 0.6;
constexpr int kTickCount = 12;
constexpr int kMajorEvery = 3;
constexpr double kTickStep = 360.0 / kTickCount;

constexpr Rgb kRim{112, 124, 148};
constexpr Rgb kScaleBand{234, 238, 246};
constexpr Rgb kScaleEdge{196, 204, 220};
constexpr Rgb kTick{64, 74, 96};
// The dial background is added to the panel: this tint at the centre, fading towards the rim.
constexpr Rgb kGlow{30, 34, 42};
constexpr double kGlowAtRim = 0.45;

Point RegionCentre(Region region) {
  return {region.x + region.width / 2.0, region.y + region.height / 2.0};
}

void DrawTicks(Image& panel, Region region, Point centre) {
  for (int i = 0; i < kTickCount; ++i) {
    const bool major = i % kMajorEvery == 0;
    const double degrees = kTickStep * i;
    const Point from = Polar(centre, major ? kMajorTickFrom : kMinorTickFrom, degrees);
    const Point to = Polar(centre, kTickTo, degrees);
    Paint(panel, region, Capsule(from, to, major ? kMajorTickHalfWidth : kMinorTickHalfWidth),
          kTick);
  }
}

}  // namespace

void DrawDialFace(Image& panel, Region region) {
  const Point centre = RegionCentre(region);
  Paint(panel, region, Ring(centre, kScaleInner, kRimInner), kScaleBand);
  Paint(panel, region, Ring(centre, kScaleInner - kHairline, kScaleInner + kHairline), kScaleEdge);
  DrawTicks(panel, region, centre);
  Paint(panel, region, Ring(centre, kRimInner, kRimOuter), kRim);
}

void DrawDialBackground(Image& panel, Region region) {
  const Point centre = RegionCentre(region);
  panel.Fill(region, kBlack);
  const auto glow = [centre](Point p) {
    const double t = std::min(1.0, std::hypot(p.x - centre.x, p.y - centre.y) / kRimOuter);
    return Mix(kBlack, kGlow, 1.0 - (1.0 - kGlowAtRim) * t * t);
  };
  PaintShaded(panel, region, Disc(centre, kRimOuter), glow);
}

}  // namespace stamp::art
