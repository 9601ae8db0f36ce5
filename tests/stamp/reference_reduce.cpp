#include <algorithm>

#include "reference.h"

namespace stamp::test {
namespace {

// Scaled by d, destination pixel X spans [X*s, (X+1)*s) and source pixel k spans [k*d, (k+1)*d);
// the weights of one destination pixel sum to s.
int64_t Overlap(int64_t X, int64_t d, int64_t s, int64_t k) {
  return std::max<int64_t>(0, std::min((X + 1) * s, (k + 1) * d) - std::max(X * s, k * d));
}

Rgb AreaMean(const Raster& src, int32_t x, int32_t y, Box dstSize, Box srcSize) {
  int64_t sums[3] = {};
  for (int32_t ky = 0; ky < srcSize.height; ++ky) {
    const int64_t wy = Overlap(y, dstSize.height, srcSize.height, ky);
    for (int32_t kx = 0; kx < srcSize.width && wy != 0; ++kx) {
      const int64_t weight = wy * Overlap(x, dstSize.width, srcSize.width, kx);
      const Rgb p = src.At(kx, ky);
      sums[0] += weight * p.red;
      sums[1] += weight * p.green;
      sums[2] += weight * p.blue;
    }
  }
  const int64_t area = int64_t{srcSize.width} * srcSize.height;
  return {static_cast<uint8_t>(sums[0] / area), static_cast<uint8_t>(sums[1] / area),
          static_cast<uint8_t>(sums[2] / area)};
}

}  // namespace

void ReferenceReduce(Raster& dst, const Raster& src, int32_t dstWidth, int32_t dstHeight,
                     int32_t srcWidth, int32_t srcHeight) {
  for (int32_t y = 0; y < dstHeight; ++y) {
    for (int32_t x = 0; x < dstWidth; ++x) {
      dst.Set(x, y, AreaMean(src, x, y, {dstWidth, dstHeight}, {srcWidth, srcHeight}));
    }
  }
}

}  // namespace stamp::test
