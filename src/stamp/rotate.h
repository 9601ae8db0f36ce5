// Bilinear rotation of a square stamp cell about its centre, in 6.10 fixed point.
#pragma once

#include <cstdint>

namespace stamp {

// Turns the width x height picture at the top-left of src by angleDegrees (positive turns
// counter-clockwise on screen) into the top-left of dst, through GetPixel24/PutPixel24 on
// canvas-sized buffers. Pixels without a source sample are left as they were. Sets the module's
// RotatedSize to the output box on every call.
void RotateBilinear(uint8_t* dst, const uint8_t* src, int32_t width, int32_t height,
                    int32_t angleDegrees);

}  // namespace stamp
