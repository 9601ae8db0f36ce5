// Exact area-average reduction with integer sums over the per-axis least common multiple.
#pragma once

#include <cstdint>

#include "src/core/image_view.h"

namespace stamp {

// Shrinks the srcWidth x srcHeight picture at the top-left of src into the dstWidth x dstHeight
// block at the top-left of dst (canvas-sized buffers, GetPixel24/PutPixel24). Enlargement, a size
// below 1, or sizes whose sub-sample count does not fit 16 bits write nothing.
void ReduceAreaAverage(ImageView dst, ConstImageView src, int32_t dstWidth, int32_t dstHeight,
                       int32_t srcWidth, int32_t srcHeight);

}  // namespace stamp
