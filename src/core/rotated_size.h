// The width and height of a rotation's output box: the size of the prepared StampImage.
#pragma once

#include <cstdint>

namespace stamp {

struct RotatedSize {
  int32_t width = 0;
  int32_t height = 0;
};

}  // namespace stamp
