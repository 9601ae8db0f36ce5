// The rotation dial: the angle a pen position on the dial stands for.
#pragma once

#include <cstdint>

#include "src/core/rotated_size.h"

namespace stamp {

// Degrees per radian as the dial computes them, with the tool's pi: the double 57.29577951471995,
// a little off the full-precision value.
inline constexpr double kDialDegreesPerRadian = 180 / kPi;

// The angle in whole degrees, counter-clockwise as seen on the screen, from straight up to the
// direction from the dial centre to (x, y) in panel coordinates: 0 above, 90 left, 180 below
// (and at the centre itself), -90 right. Defined for every int32 position; the panel asks only
// inside the dial's hit area, where it gives -178 to 180.
int32_t DialAngle(int32_t x, int32_t y);

}  // namespace stamp
