// Exact area-average reduction of a picture of any size, for the cells of sheets made from
// pictures. It gives the bytes the tool's own reduction gives for the sizes
// the tool handles, for every size a picture may have.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/picture/picture_reader.h"

namespace stamp::host {

// A picture shrunk to width x height (at least 1 x 1 and no larger than the source on either
// axis) as its rows arrive, so that only the destination's sums are held, never the source.
// Each pixel becomes the exact area-weighted mean of the source pixels it covers, per channel,
// truncated once.
class AreaReduction {
 public:
  AreaReduction(int32_t sourceWidth, int32_t sourceHeight, int32_t width, int32_t height);

  // The next source row, top row first: sourceWidth pixels of 3 bytes.
  void AddRow(const uint8_t* pixels);
  // The reduced picture, once every source row has been added.
  Picture Result() const;

 private:
  // A source pixel under a destination pixel, with the number of its sub-sample positions there.
  struct Tap {
    uint32_t pixel;
    uint64_t weight;
  };
  using Sums = std::array<uint64_t, 3>;

  uint32_t sourceWidth_, sourceHeight_;
  int32_t width_, height_;
  std::vector<std::vector<Tap>> columnTaps_;
  std::vector<Sums> sums_;  // width x height, row by row
  std::vector<Sums> across_;
  uint32_t nextRow_ = 0;
};

}  // namespace stamp::host
