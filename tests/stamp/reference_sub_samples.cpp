#include <numeric>

#include "reference.h"

namespace stamp::test {
namespace {

struct Axis {
  int64_t positions;  // L, the least common multiple of the two sizes
  int64_t destination;
  int64_t source;

  int64_t Span() const { return positions / destination; }
  int64_t SourcePixel(int64_t position) const { return position * source / positions; }
};

Rgb SubSampleMean(const Raster& src, int64_t x, int64_t y, const Axis& across, const Axis& down) {
  int64_t sums[3] = {};
  for (int64_t px = x * across.Span(); px < (x + 1) * across.Span(); ++px) {
    for (int64_t py = y * down.Span(); py < (y + 1) * down.Span(); ++py) {
      const Rgb p = src.At(static_cast<int32_t>(across.SourcePixel(px)),
                           static_cast<int32_t>(down.SourcePixel(py)));
      sums[0] += p.red;
      sums[1] += p.green;
      sums[2] += p.blue;
    }
  }
  const int64_t count = across.Span() * down.Span();
  return {static_cast<uint8_t>(sums[0] / count), static_cast<uint8_t>(sums[1] / count),
          static_cast<uint8_t>(sums[2] / count)};
}

}  // namespace

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
