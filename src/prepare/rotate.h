// Bilinear rotation of a square stamp cell about its centre, in 6.10 fixed point.
#pragma once

#include <cstdint>

#include "src/core/image_view.h"
#include "src/core/rotated_size.h"

namespace stamp {

// Turns the width x height picture at the top-left of src by angleDegrees (positive turns
// counter-clockwise on screen) into the top-left of dst, through GetPixel24/PutPixel24 on
// canvas-sized buffers. Pixels without a source sample are left as they were. Gives the output
// box, for every size, also one too small to sample.
RotatedSize RotateBilinear(ImageView dst, ConstImageView src, int32_t width, int32_t height,
                           int32_t angleDegrees);

// The per-call set-up of a rotation, the only floating-point part: the output box and the
// position steps, cosine and sine of the angle in 6.10 fixed point, truncated toward zero.
struct RotationSetup {
  int32_t outWidth = 0;
  int32_t outHeight = 0;
  int32_t cosStep = 0;  // added to the column position per output column
  int32_t sinStep = 0;  // added to the row position per output column
};

RotationSetup SetUpRotation(int32_t width, int32_t height, int32_t angleDegrees);

}  // namespace stamp
