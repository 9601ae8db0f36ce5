// Along an axis of s source pixels shrunk to d, lay both pixel grids on s x d sub-sample
// positions: destination pixel X spans positions [X*s, (X+1)*s) and source pixel k spans
// [k*d, (k+1)*d). Source pixel k then weighs |[X*s, (X+1)*s) n [k*d, (k+1)*d)| in destination
// pixel X, the weights of one destination pixel add up to s, and the weights of the two axes
// multiply: the sum of weightX x weightY x pixel over the source pixels, divided by s_x x s_y,
// is the exact area-weighted mean, in integers, truncated once at the end.
//
// The tool's own reduction lays the grids on lcm(s, d) positions instead, g = gcd(s, d) times
// fewer: every weight there is this one divided by g on its axis, and the count s_x x s_y divided
// by g_x x g_y, so both sums scale alike and the truncated quotient is the same byte. Here the
// grid is not held in 16 bits, so pictures of every size the readers admit can be reduced.
//
// The sum is taken across each source row first, as the row arrives (over the destination
// column's horizontal taps), and that row's sums are added into the one or two destination rows
// it lies under, with its vertical weight: a source row of s_y shrunk to d_y <= s_y spans d_y
// positions, at most two destination rows of s_y each. Each source pixel is read once.
#include "host/sheets/area_reduction.h"

#include <algorithm>
#include <vector>

namespace stamp::host {

namespace {

constexpr size_t kChannels = 3;

// The taps of destination pixel x along an axis of source pixels shrunk to destination.
template <typename Tap>
std::vector<Tap> AxisTaps(uint32_t x, uint32_t source, uint32_t destination) {
  const uint64_t begin = uint64_t{x} * source;
  const uint64_t end = begin + source;
  std::vector<Tap> taps;
  for (uint64_t k = begin / destination; k * destination < end; ++k) {
    const uint64_t covered =
        std::min(end, (k + 1) * destination) - std::max(begin, k * destination);
    taps.push_back({static_cast<uint32_t>(k), covered});
  }
  return taps;
}

}  // namespace

AreaReduction::AreaReduction(int32_t sourceWidth, int32_t sourceHeight, int32_t width,
                             int32_t height)
    : sourceWidth_(static_cast<uint32_t>(sourceWidth)),
      sourceHeight_(static_cast<uint32_t>(sourceHeight)),
      width_(width),
      height_(height),
      sums_(size_t(width) * size_t(height)),
      across_(size_t(width)) {
  for (int32_t x = 0; x < width; ++x) {
    columnTaps_.push_back(AxisTaps<Tap>(uint32_t(x), sourceWidth_, uint32_t(width)));
  }
}

void AreaReduction::AddRow(const uint8_t* pixels) {
  const uint32_t k = nextRow_++;
  for (size_t x = 0; x < across_.size(); ++x) {
    across_[x] = Sums{};
    for (const Tap& column : columnTaps_[x]) {
      const uint8_t* pixel = pixels + size_t{column.pixel} * kChannels;
      for (size_t c = 0; c < kChannels; ++c) across_[x][c] += column.weight * pixel[c];
    }
  }
  // Source row k spans [k*d, (k+1)*d) of the vertical positions; destination row Y [Y*s, (Y+1)*s).
  const uint64_t d = uint64_t(height_);
  const uint64_t s = sourceHeight_;
  const uint64_t begin = k * d;
  const uint64_t end = begin + d;
  for (uint64_t y = begin / s; y * s < end && y < d; ++y) {
    const uint64_t weight = std::min(end, (y + 1) * s) - std::max(begin, y * s);
    Sums* row = sums_.data() + y * size_t(width_);
    for (size_t x = 0; x < across_.size(); ++x) {
      for (size_t c = 0; c < kChannels; ++c) row[x][c] += weight * across_[x][c];
    }
  }
}

Picture AreaReduction::Result() const {
  const uint64_t count = uint64_t{sourceWidth_} * sourceHeight_;
  Picture reduced{width_, height_, std::vector<uint8_t>(sums_.size() * kChannels)};
  uint8_t* out = reduced.pixels.data();
  for (const Sums& sums : sums_) {
    for (size_t c = 0; c < kChannels; ++c) *out++ = static_cast<uint8_t>(sums[c] / count);
  }
  return reduced;
}

}  // namespace stamp::host
