// The width and height of a rotation's output box: the size of the prepared StampImage; and pi
// as the tool's angles are computed with it.
#pragma once

#include <cstdint>

namespace stamp {

// Pi written as 3.1415926535, a little below the full-precision value: the dial's angles and the
// rotation's steps at some angles depend on the difference.
inline constexpr double kPi = 3.1415926535;

struct RotatedSize {
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace stamp
