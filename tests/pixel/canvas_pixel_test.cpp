// GetPixel24 and PutPixel24 on a canvas viewed with the geometry of the host record.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "src/pixel/pixel_ops.h"
#include "support/canvas_record.h"
#include "support/raster.h"

namespace stamp::test {
namespace {

constexpr uint16_t kUntouched = 999;

class CanvasPixelTest : public ::testing::Test {
 protected:
  // Red, blue, green as GetPixel24 delivers them; kUntouched where it wrote nothing.
  std::array<uint16_t, 3> Get(int32_t x, int32_t y) {
    std::array<uint16_t, 3> rbg = {kUntouched, kUntouched, kUntouched};
    GetPixel24(CanvasView(canvas), x, y, &rbg[0], &rbg[1], &rbg[2]);
    return rbg;
  }

  CanvasRecord record{10, 10, 300};
  Raster canvas{10, 10};
};

const std::array<uint16_t, 3> kRefused = {kUntouched, kUntouched, kUntouched};

TEST_F(CanvasPixelTest, GetPixel24DeliversRedBlueGreen) {
  canvas.Set(4, 7, {3, 2, 1});  // in memory blue 1, green 2, red 3
  EXPECT_EQ(Get(4, 7), (std::array<uint16_t, 3>{3, 1, 2}));
}

TEST_F(CanvasPixelTest, GetPixel24RefusesPixelsOutsideTheCanvas) {
  const struct {
    int32_t x, y;
  } outside[] = {{10, 5}, {-1, 5}, {5, 10}, {5, -1}, {INT32_MIN, 0}, {0, INT32_MAX}};
  for (const auto& p : outside) EXPECT_EQ(Get(p.x, p.y), kRefused) << p.x << ", " << p.y;
}

TEST_F(CanvasPixelTest, GetPixel24RefusesPixelsBeyondTheByteSize) {
  record.Resize(10, 10, 150);  // the bottom five rows
  EXPECT_EQ(Get(0, 4), kRefused);
  EXPECT_NE(Get(0, 5), kRefused);
}

struct PutCase {
  int32_t x, y;
  bool writes;
  int32_t wroteX, wroteY;
};

TEST_F(CanvasPixelTest, PutPixel24WritesWhereTheByteOffsetFalls) {
  const PutCase cases[] = {
      {3, 4, true, 3, 4},   {10, 5, true, 0, 4},  {-1, 0, true, 9, 1},  {15, 9, true, 5, 8},
      {10, 0, false, 0, 0}, {-1, 9, false, 0, 0}, {5, 10, false, 0, 0}, {5, -1, false, 0, 0},
  };
  for (const PutCase& c : cases) {
    canvas = Raster(10, 10);
    Raster expected = canvas;
    PutPixel24(CanvasView(canvas), c.x, c.y, 'z', 'z', 'z');
    if (c.writes) expected.Set(c.wroteX, c.wroteY, {'z', 'z', 'z'});
    EXPECT_EQ(canvas.rows(), expected.rows()) << "PutPixel24 at " << c.x << ", " << c.y;
  }
}

TEST_F(CanvasPixelTest, PutPixel24StoresTheLowEightBits) {
  PutPixel24(CanvasView(canvas), 2, 3, 300, 256 + 7, 0xFFFF);
  EXPECT_EQ(canvas.At(2, 3), (Rgb{44, 255, 7}));
}

TEST_F(CanvasPixelTest, ReadThenWriteBackLeavesEveryPixelUnchanged) {
  canvas.FillRandom(7);
  const Raster before = canvas;
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 10; ++x) {
      const auto rbg = Get(x, y);
      PutPixel24(CanvasView(canvas), x, y, rbg[0], rbg[1], rbg[2]);
      EXPECT_EQ(canvas.At(x, y), before.At(x, y)) << x << ", " << y;
    }
  }
}

TEST_F(CanvasPixelTest, WithoutAHostRecordNothingIsReadOrWritten) {
  InstalledCanvas() = HostContext();
  const Raster before = canvas;
  EXPECT_EQ(Get(1, 1), kRefused);
  PutPixel24(CanvasView(canvas), 1, 1, 'z', 'z', 'z');
  EXPECT_EQ(canvas.rows(), before.rows());
}

// A 65536 x 65537 canvas record over a buffer of 300 bytes: pixel (5, 0) is 2^32 x 3 + 15 bytes
// in, which a 32-bit offset would wrap to byte 15.
TEST_F(CanvasPixelTest, OffsetsBeyondThirtyTwoBitsAreRefusedInsteadOfWrapping) {
  record.Resize(65536, 65537, 300);
  const Raster before = canvas;
  EXPECT_EQ(Get(5, 0), kRefused);
  PutPixel24(CanvasView(canvas), 5, 0, 'z', 'z', 'z');
  record.Resize(16, 16, 300);
  PutPixel24(CanvasView(canvas), 3, 15 + (1 << 28), 'z', 'z', 'z');
  EXPECT_EQ(canvas.rows(), before.rows());
}

}  // namespace
}  // namespace stamp::test
