// The literal byte-index model of the buffers the tests predict results with: planes addressed
// by the pixel engine's rule, a copy between them, the cell cache, and seeded random fills.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "support/test_host.h"

namespace stamp::test {

void FillRandom(uint8_t* bytes, size_t size, uint32_t seed);

// A copy of the canvas-sized buffer the record field names.
Bytes CanvasCopy(const TestHost& host, uint32_t field);
void FillCanvasRandom(const TestHost& host, uint32_t field, uint32_t seed);

// A buffer with its geometry, addressed by the pixel engine's rule: pixel (x, y) at byte
// ((height - 1 - y) x width + x) x 3, inside when its three bytes lie within the byte size.
struct Plane {
  uint8_t* bytes;
  int64_t width;
  int64_t height;
  int64_t size;
  // Byte offset of (x, y), or -1 when the pixel lies outside.
  int64_t Inside(int64_t x, int64_t y) const;
};

Plane CanvasPlane(const TestHost& host, uint8_t* bytes);
Plane PanelPlane(uint8_t* bytes);

// SRCCOPY of a width x height block, pixel by pixel, skipping pairs with a pixel outside.
void ModelCopy(Plane dst, int64_t dx, int64_t dy, Plane src, int64_t sx, int64_t sy, int64_t width,
               int64_t height);

// The cell cache: 30x30 pixels at (0, kCellCacheY) of stampBuffer.
constexpr int64_t kCellCacheY = 60;

// Copies the selected cell, unreduced, into the cell cache (0,60) of a stampBuffer image, from
// the corner CellCorner gives; a cell beyond int32 coordinates copies nothing.
void ModelCellToCache(const TestHost& host, Bytes& stamp, uint8_t* panel, int32_t selection);

// Compare two images of a canvas-sized buffer at the canvas pixels where `compared` holds, or in
// their 30x30 cell caches; name the first difference.
::testing::AssertionResult SamePixels(const TestHost& host, const Bytes& actual,
                                      const Bytes& expected,
                                      const std::function<bool(int64_t x, int64_t y)>& compared);
::testing::AssertionResult SameCache(const TestHost& host, const Bytes& actual,
                                     const Bytes& expected);

}  // namespace stamp::test
