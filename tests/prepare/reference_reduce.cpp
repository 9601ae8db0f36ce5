#include <algorithm>
#include <array>
#include <numeric>

#include "reference.h"

namespace stamp::test {
namespace {

// Red, green and blue sums of weighted source pixels, and their mean truncated.
using Sums = std::array<int64_t, 3>;

void AddWeighted(Sums& sums, Rgb pixel, int64_t weight) {
  const uint8_t channels[] = {pixel.red, pixel.green, pixel.blue};
  for (size_t c = 0; c < sums.size(); ++c) sums[c] += weight * channels[c];
}

Rgb Mean(const Sums& sums, int64_t count) {
  return {static_cast<uint8_t>(sums[0] / count), static_cast<uint8_t>(sums[1] / count),
          static_cast<uint8_t>(sums[2] / count)};
}

// Scaled by d, destination pixel X spans [X*s, (X+1)*s) and source pixel k spans [k*d, (k+1)*d);
// the weights of one destination pixel sum to s.
int64_t Overlap(int64_t X, int64_t d, int64_t s, int64_t k) {
  return std::max<int64_t>(0, std::min((X + 1) * s, (k + 1) * d) - std::max(X * s, k * d));
}

Rgb AreaMean(const Raster& src, int32_t x, int32_t y, Box dstSize, Box srcSize) {
  Sums sums{};
  for (int32_t ky = 0; ky < srcSize.height; ++ky) {
    const int64_t wy = Overlap(y, dstSize.height, srcSize.height, ky);
    for (int32_t kx = 0; kx < srcSize.width && wy != 0; ++kx) {
      AddWeighted(sums, src.At(kx, ky), wy * Overlap(x, dstSize.width, srcSize.width, kx));
    }
  }
  return Mean(sums, int64_t{srcSize.width} * srcSize.height);
}

struct Axis {
  int64_t positions;  // L, the least common multiple of the two sizes
  int64_t destination;
  int64_t source;

  int64_t Span() const { return positions / destination; }
  int64_t SourcePixel(int64_t position) const { return position * source / positions; }
};

Rgb SubSampleMean(const Raster& src, int64_t x, int64_t y, const Axis& across, const Axis& down) {
  Sums sums{};
  for (int64_t px = x * across.Span(); px < (x + 1) * across.Span(); ++px) {
    for (int64_t py = y * down.Span(); py < (y + 1) * down.Span(); ++py) {
      AddWeighted(sums,
                  src.At(static_cast<int32_t>(across.SourcePixel(px)),
                         static_cast<int32_t>(down.SourcePixel(py))),
                  1);
    }
  }
  return Mean(sums, across.Span() * down.Span());
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

void ReferenceReduceBySubSamples(Raster& dst, const Raster& src, int32_t dstWidth,
                                 int32_t dstHeight, int32_t srcWidth, int32_t srcHeight) {
  const Axis across{std::lcm(int64_t{dstWidth}, int64_t{srcWidth}), dstWidth, srcWidth};
  const Axis down{std::lcm(int64_t{dstHeight}, int64_t{srcHeight}), dstHeight, srcHeight};
  for (int32_t y = 0; y < dstHeight; ++y) {
    for (int32_t x = 0; x < dstWidth; ++x) {
      dst.Set(x, y, SubSampleMean(src, x, y, across, down));
    }
  }
}

}  // namespace stamp::test
