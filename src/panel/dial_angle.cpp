// The rules are tried in order and the first that matches gives the angle. The straight
// directions are fixed values; the rest come from the one-argument arc tangent in double
// precision, converted to degrees and truncated toward zero. atan gives less than a quarter turn
// either way, so the truncated value always fits an int32. Below the centre the arc tangent
// measures from the horizontal, and the quarter turn is added after the truncation.
#include "src/panel/dial_angle.h"

#include <cmath>

#include "src/panel/layout.h"

namespace stamp {
namespace {

constexpr int32_t kStraightUp = 0;
constexpr int32_t kStraightDown = 180;
constexpr int32_t kQuarterTurn = 90;

int32_t TruncatedDegrees(double radians) {
  return static_cast<int32_t>(radians * kDialDegreesPerRadian);
}

}  // namespace

int32_t DialAngle(int32_t x, int32_t y) {
  const int32_t cx = kDialCentre.x;
  const int32_t cy = kDialCentre.y;
  if (x == cx && y >= cy) return kStraightDown;
  if (y == cy && x > cx) return -kQuarterTurn;
  if (y == cy && x < cx) return kQuarterTurn;
  if (x == cx) return kStraightUp;
  const double px = x;
  const double py = y;
  const double centreX = cx;
  const double centreY = cy;
  if (y > cy) {
    const int32_t fromHorizontal = TruncatedDegrees(std::atan((py - centreY) / (centreX - px)));
    return x > cx ? fromHorizontal - kQuarterTurn : fromHorizontal + kQuarterTurn;
  }
  return TruncatedDegrees(std::atan((px - centreX) / (py - centreY)));
}

}  // namespace stamp
