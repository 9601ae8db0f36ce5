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
// The sum is taken down each source column first (over the destination row's vertical taps) and
// across those column sums after, so each source pixel is read about once per destination row.
#include "host/sheets/area_reduction.h"

#include <algorithm>
#include <array>
#include <vector>

namespace stamp::host {
namespace {

constexpr size_t kChannels = 3;
using Sums = std::array<uint64_t, kChannels>;

// A source pixel under a destination pixel, with the number of its sub-sample positions there.
struct Tap {
  uint32_t pixel;
  uint64_t weight;
};

// The taps of destination pixel x along an axis of source pixels shrunk to destination.
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

// Each source column summed over the vertical taps of one destination row.
void SumColumns(const Picture& source, const std::vector<Tap>& rows, std::vector<Sums>& columns) {
  const size_t rowBytes = static_cast<size_t>(source.width) * kChannels;
  std::fill(columns.begin(), columns.end(), Sums{});
  for (const Tap& row : rows) {
    const uint8_t* pixel = source.pixels.data() + row.pixel * rowBytes;
    for (Sums& column : columns) {
      for (size_t c = 0; c < kChannels; ++c) column[c] += row.weight * *pixel++;
    }
  }
}

}  // namespace

Picture ReduceAreaAverage(const Picture& source, int32_t width, int32_t height) {
  const auto sourceWidth = static_cast<uint32_t>(source.width);
  const auto sourceHeight = static_cast<uint32_t>(source.height);
  Picture reduced{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * kChannels)};
  const uint64_t count = uint64_t{sourceWidth} * sourceHeight;
  std::vector<std::vector<Tap>> columnTaps;
  for (int32_t x = 0; x < width; ++x) {
    columnTaps.push_back(AxisTaps(uint32_t(x), sourceWidth, uint32_t(width)));
  }
  std::vector<Sums> columns(sourceWidth);
  uint8_t* out = reduced.pixels.data();
  for (int32_t y = 0; y < height; ++y) {
    SumColumns(source, AxisTaps(uint32_t(y), sourceHeight, uint32_t(height)), columns);
    for (int32_t x = 0; x < width; ++x) {
      Sums sums{};
      for (const Tap& column : columnTaps[size_t(x)]) {
        for (size_t c = 0; c < kChannels; ++c) sums[c] += column.weight * columns[column.pixel][c];
      }
      for (size_t c = 0; c < kChannels; ++c) *out++ = static_cast<uint8_t>(sums[c] / count);
    }
  }
  return reduced;
}

}  // namespace stamp::host
