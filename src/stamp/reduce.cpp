// Area-average reduction with exact integer sums.
//
// Along an axis of s source pixels shrunk to d, both pixel grids fall on the grid of L = lcm(d, s)
// sub-sample positions: destination pixel X spans positions X*step .. X*step + step - 1 (step =
// L / d) and position p lies in source pixel p / sub (sub = L / s). Summing the source pixel under
// every sub-sample position of a destination pixel therefore counts each source pixel exactly in
// proportion to the area of the destination pixel it covers, with no rounded weights; dividing
// the sum by the number of positions, stepX * stepY, gives the exact area-weighted mean, truncated
// once at the end.
#include "stamp/reduce.h"

#include <array>
#include <cstddef>

#include "pixel/pixel_ops.h"
#include "stamp/reduce_factors.h"

namespace stamp {
namespace {

constexpr uint64_t kLargestPositionCount = 0xFFFF;  // L is held in 16 bits
constexpr size_t kChannels = 3;

using Channels = std::array<uint16_t, kChannels>;  // red, blue, green: the order of GetPixel24
// 64-bit sums: exact for any count the 16-bit factors allow (up to 65535^2 samples of 255).
using Sums = std::array<uint64_t, kChannels>;

// Euclid's algorithm from the pair (d, s mod d), in unsigned remainders.
uint32_t Gcd(uint32_t d, uint32_t s) {
  uint32_t a = d;
  uint32_t b = s % d;
  while (b != 0) {
    const uint32_t rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}

void AddPixel(Sums& sums, const uint8_t* src, uint32_t x, uint32_t y) {
  Channels pixel{};  // a read that GetPixel24 refuses counts as 0
  GetPixel24(src, static_cast<int32_t>(x), static_cast<int32_t>(y), &pixel[0], &pixel[1],
             &pixel[2]);
  for (size_t c = 0; c < kChannels; ++c) sums[c] += pixel[c];
}

void AveragePixel(uint8_t* dst, const uint8_t* src, uint32_t x, uint32_t y, AxisFactors across,
                  AxisFactors down) {
  Sums sums{};
  for (uint32_t kx = 0; kx < across.step; ++kx) {
    const uint32_t sx = (x * across.step + kx) / across.sub;
    for (uint32_t ky = 0; ky < down.step; ++ky) {
      AddPixel(sums, src, sx, (y * down.step + ky) / down.sub);
    }
  }
  const uint64_t count = uint64_t{across.step} * down.step;
  Channels mean{};
  for (size_t c = 0; c < kChannels; ++c) mean[c] = static_cast<uint16_t>(sums[c] / count);
  PutPixel24(dst, static_cast<int32_t>(x), static_cast<int32_t>(y), mean[0], mean[1], mean[2]);
}

}  // namespace

// When d divides s, Euclid ends at once with g = d and L = s: step = s / d and sub = 1. L is formed
// exactly in 64 bits; one that does not fit 16 bits is refused rather than truncated, since a
// truncated L can make step or sub 0 and the averaging divide by it.
std::optional<AxisFactors> ComputeAxisFactors(int32_t destination, int32_t source) {
  if (destination < 1 || destination > source) return std::nullopt;
  const auto d = static_cast<uint32_t>(destination);
  const auto s = static_cast<uint32_t>(source);
  const uint32_t g = Gcd(d, s);
  const uint64_t positions = uint64_t{d / g} * (s / g) * g;
  if (positions > kLargestPositionCount) return std::nullopt;
  return AxisFactors{static_cast<uint16_t>(positions / d), static_cast<uint16_t>(positions / s)};
}

void ReduceAreaAverage(uint8_t* dst, const uint8_t* src, int32_t dstWidth, int32_t dstHeight,
                       int32_t srcWidth, int32_t srcHeight) {
  const std::optional<AxisFactors> across = ComputeAxisFactors(dstWidth, srcWidth);
  const std::optional<AxisFactors> down = ComputeAxisFactors(dstHeight, srcHeight);
  if (!across || !down) return;
  const auto width = static_cast<uint32_t>(dstWidth);
  const auto height = static_cast<uint32_t>(dstHeight);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) AveragePixel(dst, src, x, y, *across, *down);
  }
}

}  // namespace stamp
