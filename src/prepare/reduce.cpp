// Area-average reduction with exact integer sums.
//
// Along an axis of s source pixels shrunk to d, both pixel grids fall on the grid of L = lcm(d, s)
// sub-sample positions: destination pixel X spans positions X*step .. X*step + step - 1 (step =
// L / d) and position p lies in source pixel p / sub (sub = L / s). Summing the source pixel under
// every sub-sample position of a destination pixel therefore counts each source pixel exactly in
// proportion to the area of the destination pixel it covers, with no rounded weights; dividing
// the sum by the number of positions, stepX * stepY, gives the exact area-weighted mean, truncated
// once at the end.
//
// The sum is formed per source pixel rather than per position: source pixel k lies under
// weight(k) = |[X*step, (X+1)*step) n [k*sub, (k+1)*sub)| positions of destination pixel X on its
// axis, so it appears weightX(kx) * weightY(ky) times among the position pairs, and adding it once
// with that factor gives the same integer sum. The weights of the two axes multiply, so the sum is
// taken down each source column first and across the column sums after: a 30 -> 29 reduction
// reads each source pixel of two rows per destination row, instead of 900 positions per
// destination pixel.
#include "src/prepare/reduce.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "src/pixel/canvas_access.h"
#include "src/prepare/reduce_factors.h"

namespace stamp {
namespace {

constexpr uint64_t kLargestPositionCount = 0xFFFF;  // L is held in 16 bits
constexpr uint64_t kLargestChannel = 255;

// The three channel sums of one destination pixel. 64-bit sums are exact for any count the 16-bit
// factors allow (up to 65535^2 samples of 255); 32-bit ones, quicker to divide, serve where
// count x 255 fits them, as it does for every size in use (count at most 900).
template <typename Sum>
struct ChannelSums {
  Sum red = 0;
  Sum blue = 0;
  Sum green = 0;

  void Add(const Channels& pixel, Sum weight) {
    red += weight * pixel[0];
    blue += weight * pixel[1];
    green += weight * pixel[2];
  }
  void Add(const ChannelSums& sums, Sum weight) {
    red += weight * sums.red;
    blue += weight * sums.blue;
    green += weight * sums.green;
  }
  Channels Mean(Sum count) const {
    return {static_cast<uint16_t>(red / count), static_cast<uint16_t>(blue / count),
            static_cast<uint16_t>(green / count)};
  }
};

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

// A source pixel under a destination pixel, with the number of its sub-sample positions.
struct Tap {
  uint32_t pixel;
  uint32_t weight;
};

// The taps of each destination pixel of one axis, in source order.
class AxisTaps {
 public:
  AxisTaps(AxisFactors factors, uint32_t destination) : first_(destination + 1) {
    for (uint32_t x = 0; x < destination; ++x) {
      const uint32_t begin = x * factors.step;
      const uint32_t end = begin + factors.step;
      for (uint32_t k = begin / factors.sub; k * factors.sub < end; ++k) {
        const uint32_t covered =
            std::min(end, (k + 1) * factors.sub) - std::max(begin, k * factors.sub);
        taps_.push_back({k, covered});
      }
      first_[x + 1] = static_cast<uint32_t>(taps_.size());
    }
  }

  const Tap* begin(uint32_t x) const { return taps_.data() + first_[x]; }
  const Tap* end(uint32_t x) const { return taps_.data() + first_[x + 1]; }

 private:
  std::vector<Tap> taps_;
  std::vector<uint32_t> first_;  // taps of pixel x: first_[x] .. first_[x + 1] - 1
};

// A reduction laid out: the taps of both axes and the sizes.
struct Plan {
  AxisTaps columns;
  AxisTaps rows;
  uint32_t sourceWidth;
  uint32_t width;
  uint32_t height;
};

// Destination row y, in two steps: each source column summed over the row's vertical taps, then
// each destination pixel over its horizontal taps of those column sums. Both steps are exact
// integer sums, so together they give the sum of weightX x weightY x pixel over the pixel's taps.
template <typename Sum, typename Canvas>
void AverageRow(const Canvas& canvas, ImageView dst, ConstImageView src, const Plan& plan,
                uint32_t y, Sum count, std::vector<ChannelSums<Sum>>& columnSums) {
  for (uint32_t kx = 0; kx < plan.sourceWidth; ++kx) {
    ChannelSums<Sum> sums;
    for (const Tap* row = plan.rows.begin(y); row != plan.rows.end(y); ++row) {
      sums.Add(canvas.Read(src, static_cast<int32_t>(kx), static_cast<int32_t>(row->pixel)),
               row->weight);
    }
    columnSums[kx] = sums;
  }
  for (uint32_t x = 0; x < plan.width; ++x) {
    ChannelSums<Sum> sums;
    for (const Tap* column = plan.columns.begin(x); column != plan.columns.end(x); ++column) {
      sums.Add(columnSums[column->pixel], column->weight);
    }
    canvas.Write(dst, static_cast<int32_t>(x), static_cast<int32_t>(y), sums.Mean(count));
  }
}

template <typename Sum, typename Canvas>
void Average(const Canvas& canvas, ImageView dst, ConstImageView src, const Plan& plan, Sum count) {
  std::vector<ChannelSums<Sum>> columnSums(plan.sourceWidth);
  for (uint32_t y = 0; y < plan.height; ++y) {
    AverageRow(canvas, dst, src, plan, y, count, columnSums);
  }
}

template <typename Canvas>
void Average(const Canvas& canvas, ImageView dst, ConstImageView src, const Plan& plan,
             uint64_t count) {
  if (count * kLargestChannel <= UINT32_MAX) {
    Average(canvas, dst, src, plan, static_cast<uint32_t>(count));
  } else {
    Average(canvas, dst, src, plan, count);
  }
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

// A source pixel GetPixel24 refuses counts as 0, as in reading it position by position. The
// destination block is no larger than the source picture, so where the canvas holds the picture
// it holds both, and the pixels are reached directly.
void ReduceAreaAverage(ImageView dst, ConstImageView src, int32_t dstWidth, int32_t dstHeight,
                       int32_t srcWidth, int32_t srcHeight) {
  const std::optional<AxisFactors> across = ComputeAxisFactors(dstWidth, srcWidth);
  const std::optional<AxisFactors> down = ComputeAxisFactors(dstHeight, srcHeight);
  if (!across || !down) return;
  const Plan plan{AxisTaps(*across, static_cast<uint32_t>(dstWidth)),
                  AxisTaps(*down, static_cast<uint32_t>(dstHeight)),
                  static_cast<uint32_t>(srcWidth), static_cast<uint32_t>(dstWidth),
                  static_cast<uint32_t>(dstHeight)};
  const uint64_t count = uint64_t{across->step} * down->step;
  if (const std::optional<DirectCanvas> direct =
          DirectCanvas::ForBlock(dst, src, srcWidth, srcHeight)) {
    Average(*direct, dst, src, plan, count);
  } else {
    Average(CheckedCanvas{}, dst, src, plan, count);
  }
}

}  // namespace stamp
