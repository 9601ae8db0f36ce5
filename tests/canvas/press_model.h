// The literal model of a stamp pressed onto a canvas-sized buffer by BlendMultiply.
#pragma once

#include <cstdint>

#include "support/plane.h"

namespace stamp::test {

// target after the width x height StampImage (top-left of the host's stampBuffer) was multiplied
// into it with its top-left at (left, top): stamp pixel (i, j) onto (left + i, top + j) by the
// byte-index rule, s x d / 255 per channel, pixels outside either buffer skipped.
Bytes PressedStamp(const TestHost& host, int32_t width, int32_t height, Bytes target, int64_t left,
                   int64_t top);

}  // namespace stamp::test
