// Slow, literal models of the rotation and the reduction, written from their definitions rather
// than from the production code, for differential tests of it and of any faster path.
#pragma once

#include <cstdint>

#include "support/canvas_record.h"

namespace stamp::test {

struct Box {
  int32_t width;
  int32_t height;
};

// The rotation with the exact position expressions in 64 bits, products floor(a*b/256) computed
// directly and source pixels outside the raster read as 0. Returns the output box.
Box ReferenceRotate(Raster& dst, const Raster& src, int32_t width, int32_t height,
                    int32_t angleDegrees);

// The area-weighted mean in rational arithmetic: along an axis, destination pixel X covers the
// source span [X*s/d, (X+1)*s/d), so each source pixel weighs the length of its overlap with it.
void ReferenceReduce(Raster& dst, const Raster& src, int32_t dstWidth, int32_t dstHeight,
                     int32_t srcWidth, int32_t srcHeight);

// The reduction read literally: along each axis L = lcm(d, s) sub-sample positions, destination
// pixel X spans positions X*L/d .. (X+1)*L/d - 1 and position p lies in source pixel p*s/L; the
// source pixel under every position pair is read and summed, and the sum divided by the count.
void ReferenceReduceBySubSamples(Raster& dst, const Raster& src, int32_t dstWidth,
                                 int32_t dstHeight, int32_t srcWidth, int32_t srcHeight);

}  // namespace stamp::test
