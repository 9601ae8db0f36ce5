// The test that lets a rectangle skip the per-pixel bounds: when every pixel of the destination
// rectangle (and of the source rectangle) lies inside its buffer's byte range, and the two do
// not share a byte, the walk's result is the same as running the operation row by row over
// plain byte ranges with no test at all.
//
// In a buffer of width W > 0, pixel (x + i, y + j) starts at offset(x, y + j) + 3i: each row of
// the rectangle is one run of 3 x width bytes, and the runs climb by 3W from the rectangle's
// bottom row to its top row. So the lowest byte the rectangle touches is the first of its
// bottom-left pixel and the highest the last of its top-right pixel; both inside means all
// inside. Rows may wrap past a row's end, and wider rectangles may even cover a run twice: row
// loops run the rows in the walk's order (bottom row first), so each pixel meets the same
// values it meets in the walk. Overlapping rectangles of one buffer stay with the walk, whose
// pixel order decides their result.
#pragma once

#include <cstdint>
#include <optional>

#include "src/pixel/rect_walk.h"

namespace stamp {

// The rows of a rectangle wholly inside its buffers, bottom row first. Row r starts at byte
// dstStart + r x dstStride of dst and srcStart + r x srcStride of src.
struct RectRows {
  uint8_t* dst;
  const uint8_t* src;  // nullptr for a fill
  int64_t dstStart;
  int64_t srcStart;
  int64_t dstStride;
  int64_t srcStride;
  int64_t rowBytes;
  int64_t rows;

  uint8_t* DstRow(int64_t r) const { return PixelAt(dst, dstStart + r * dstStride); }
  const uint8_t* SrcRow(int64_t r) const { return PixelAt(src, srcStart + r * srcStride); }
};

// The rows of a copy or blend when both rectangles lie wholly inside their buffers and apart in
// memory; nothing when any pixel needs the walk's test or the rectangles share a byte.
std::optional<RectRows> InsideRows(ImageView dst, int32_t dx, int32_t dy, int32_t width,
                                   int32_t height, ConstImageView src, int32_t sx, int32_t sy);

// The rows of a fill when the rectangle lies wholly inside its buffer.
std::optional<RectRows> InsideRows(ImageView buffer, int32_t x, int32_t y, int32_t width,
                                   int32_t height);

}  // namespace stamp
