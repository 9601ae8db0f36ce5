#include <gtest/gtest.h>

#include <climits>
#include <numeric>

#include "reference.h"
#include "src/prepare/reduce.h"
#include "src/prepare/reduce_factors.h"
#include "support/canvas_record.h"

namespace stamp::test {
namespace {

// A 30-pixel axis shrunk to d pixels: a destination pixel spans lcm(d, 30) / d sub-sample
// positions and a source pixel lcm(d, 30) / 30.
TEST(ReduceFactors, ThirtyPixelAxis) {
  for (int32_t d = 1; d <= 30; ++d) {
    const auto factors = ComputeAxisFactors(d, 30);
    ASSERT_TRUE(factors) << d;
    EXPECT_EQ(factors->step * d, std::lcm(d, 30)) << d;
    EXPECT_EQ(factors->sub * 30, std::lcm(d, 30)) << d;
  }
}

// A sub-sample count above 65535 is refused: truncated to 16 bits it would give, for 256 of 257,
// a sub of 0 and a division by it.
TEST(ReduceFactors, RefusedAxes) {
  const int32_t refused[][2] = {
      {31, 30},   {0, 30},    {-1, 30},     {1, 0},       {0, 0},
      {256, 257}, {1, 65536}, {1, INT_MAX}, {INT_MIN, 1}, {INT_MAX - 1, INT_MAX}};
  for (const auto& [d, s] : refused) {
    EXPECT_FALSE(ComputeAxisFactors(d, s)) << d << " of " << s;
  }
  const auto widest = ComputeAxisFactors(1, 65535);
  ASSERT_TRUE(widest);
  EXPECT_EQ(widest->step, 65535);
  const auto nearlyCoprime = ComputeAxisFactors(254, 255);
  ASSERT_TRUE(nearlyCoprime);
  EXPECT_EQ(nearlyCoprime->step, 255);
  EXPECT_EQ(nearlyCoprime->sub, 254);
}

constexpr int32_t kCanvas = 40;

class ReduceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    src.FillRandom(11);
    dst.FillRandom(12);
  }

  // Reduces and expects the model's block over the untouched rest of the destination.
  void ExpectModelResult(decltype(&ReferenceReduce) model, int32_t dstWidth, int32_t dstHeight,
                         int32_t srcWidth, int32_t srcHeight) {
    Raster expected = dst;
    model(expected, src, dstWidth, dstHeight, srcWidth, srcHeight);
    ReduceAreaAverage(CanvasView(dst), CanvasView(src), dstWidth, dstHeight, srcWidth, srcHeight);
    ASSERT_TRUE(dst == expected) << dstWidth << "x" << dstHeight << " of " << srcWidth << "x"
                                 << srcHeight;
  }

  CanvasRecord canvas{kCanvas, kCanvas};
  Raster src{kCanvas, kCanvas, 0};
  Raster dst{kCanvas, kCanvas, 0};
};

// Against the rational area-weighted mean; equal sizes copy the block.
TEST_F(ReduceTest, MatchesTheAreaWeightedMean) {
  for (int32_t d = 1; d <= 30; ++d) ExpectModelResult(ReferenceReduce, d, d, 30, 30);
  const int32_t sizes[][4] = {{20, 15, 30, 30}, {15, 20, 30, 30}, {7, 29, 30, 30}, {1, 1, 30, 30},
                              {5, 13, 17, 29},  {13, 4, 39, 7},   {1, 1, 1, 1},    {2, 2, 2, 2},
                              {17, 17, 17, 17}, {40, 40, 40, 40}};
  for (const auto& size : sizes)
    ExpectModelResult(ReferenceReduce, size[0], size[1], size[2], size[3]);
}

// Every width and every height, non-square, against the model that reads every sub-sample
// position: the per-source-pixel weights must give the very same sums.
TEST_F(ReduceTest, MatchesThePerSubSampleSums) {
  for (int32_t width = 1; width <= 30; ++width) {
    ExpectModelResult(ReferenceReduceBySubSamples, width, 31 - width, 30, 30);
  }
}

TEST_F(ReduceTest, UniformColourStaysUniform) {
  const Rgb colour{201, 7, 90};
  src = Raster(kCanvas, kCanvas, 0);
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 30; ++x) src.Set(x, y, colour);
  }
  for (int32_t d = 1; d <= 30; ++d) {
    ReduceAreaAverage(CanvasView(dst), CanvasView(src), d, d, 30, 30);
    for (int32_t y = 0; y < d; ++y) {
      for (int32_t x = 0; x < d; ++x) ASSERT_EQ(dst.At(x, y), colour) << d << ": " << x << "," << y;
    }
  }
}

// Hand-worked pixels: 30 -> 15 truncates the mean of each 2x2 block; 30 -> 20 weighs source
// pixels (0,0), (1,0), (0,1), (1,1) as 4, 2, 2, 1 out of 9 in destination pixel (0,0), and takes
// columns 0, 0, 1 into destination column 0 and 1, 2, 2 into column 1.
TEST_F(ReduceTest, HandWorkedMeans) {
  src = Raster(kCanvas, kCanvas, 0);
  src.Set(1, 1, {3, 3, 3});
  src.Set(2, 2, {10, 20, 30});
  src.Set(3, 2, {20, 20, 30});
  src.Set(2, 3, {30, 20, 30});
  src.Set(3, 3, {41, 20, 30});
  ReduceAreaAverage(CanvasView(dst), CanvasView(src), 15, 15, 30, 30);
  EXPECT_EQ(dst.At(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(dst.At(1, 1), (Rgb{25, 20, 30}));

  src.Set(0, 0, {90, 0, 0});
  src.Set(1, 0, {0, 90, 0});
  src.Set(0, 1, {0, 0, 90});
  src.Set(1, 1, {9, 9, 9});
  ReduceAreaAverage(CanvasView(dst), CanvasView(src), 20, 20, 30, 30);
  EXPECT_EQ(dst.At(0, 0), (Rgb{(4 * 90 + 9) / 9, (2 * 90 + 9) / 9, (2 * 90 + 9) / 9}));

  for (int32_t x = 0; x < 3; ++x) src.Set(x, 5, {static_cast<uint8_t>(30 * (x + 1)), 0, 0});
  ReduceAreaAverage(CanvasView(dst), CanvasView(src), 20, 30, 30, 30);
  EXPECT_EQ(dst.At(0, 5).red, (30 + 30 + 60) / 3);
  EXPECT_EQ(dst.At(1, 5).red, (60 + 90 + 90) / 3);
}

TEST_F(ReduceTest, RefusedSizesWriteNothing) {
  const Raster before = dst;
  const int32_t sizes[][4] = {{31, 30, 30, 30}, {30, 31, 30, 30}, {0, 10, 30, 30},
                              {10, -1, 30, 30}, {5, 5, 0, 30},    {INT_MIN, 5, 30, 30}};
  for (const auto& size : sizes) {
    ReduceAreaAverage(CanvasView(dst), CanvasView(src), size[0], size[1], size[2], size[3]);
  }
  EXPECT_TRUE(dst == before);
}

// A canvas narrower and lower than the picture: GetPixel24 refuses the reads beyond it, which
// count as 0, as if the picture were black there.
TEST(ReduceOffCanvas, RefusedReadsCountAsZero) {
  CanvasRecord canvas(20, 20);
  Raster src(20, 20, 0);
  src.FillRandom(8);
  Raster blackBeyond(30, 30, 0);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) blackBeyond.Set(x, y, src.At(x, y));
  }
  for (int32_t side : {7, 16, 19}) {
    Raster dst(20, 20, 0);
    dst.FillRandom(9);
    Raster expected = dst;
    ReferenceReduceBySubSamples(expected, blackBeyond, side, side, 30, 30);
    ReduceAreaAverage(CanvasView(dst), CanvasView(src), side, side, 30, 30);
    EXPECT_TRUE(dst == expected) << side;
  }
}

// 257 -> 256 needs 65792 sub-samples per axis; the call is refused on a canvas that holds it.
TEST(ReduceLargeAxes, SubSampleCountAbove16BitsWritesNothing) {
  CanvasRecord canvas(260, 260);
  Raster src(260, 260, 0);
  src.FillRandom(5);
  Raster dst(260, 260, 77);
  ReduceAreaAverage(CanvasView(dst), CanvasView(src), 256, 256, 257, 257);
  EXPECT_TRUE(dst == Raster(260, 260, 77));
}

}  // namespace
}  // namespace stamp::test
