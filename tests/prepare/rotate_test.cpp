#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "reference.h"
#include "src/prepare/rotate.h"
#include "support/canvas_record.h"

namespace stamp::test {
namespace {

constexpr int32_t kCanvas = 64;
constexpr uint8_t kUnwritten = 255;  // the rotation never writes a value above 253

Rgb Darkened(Rgb v) {
  auto channel = [](uint8_t c) { return static_cast<uint8_t>(std::max(c - 2, 0)); };
  return {channel(v.red), channel(v.green), channel(v.blue)};
}

bool Written(Rgb v) { return v != Rgb{kUnwritten, kUnwritten, kUnwritten}; }

class RotateTest : public ::testing::Test {
 protected:
  void SetUp() override { src.FillRandom(7); }

  Box Rotate(int32_t width, int32_t height, int32_t angle) {
    const RotatedSize size = RotateBilinear(CanvasView(dst), CanvasView(src), width, height, angle);
    return {size.width, size.height};
  }

  CanvasRecord canvas{kCanvas, kCanvas};
  Raster src{kCanvas, kCanvas, 0};
  Raster dst{kCanvas, kCanvas, kUnwritten};
};

struct StepRow {
  int32_t angle;
  int32_t cosStep;
  int32_t sinStep;
  int32_t side;  // output width and height for a 30x30 picture
};

// The degree factor is 3.1415926535 / 180, not pi / 180: the latter would give 150 degrees the
// sine step 511, 210 degrees -512 and 300 degrees the cosine step 512.
constexpr StepRow kSteps[] = {
    {0, 1024, 0, 30},    {30, 886, 511, 41},    {45, 724, 724, 42},    {60, 512, 886, 41},
    {90, 0, 1024, 30},   {120, -511, 886, 41},  {135, -724, 724, 42},  {150, -886, 512, 41},
    {180, -1024, 0, 30}, {210, -886, -511, 41}, {225, -724, -724, 42}, {240, -512, -886, 41},
    {270, 0, -1024, 30}, {300, 511, -886, 41},  {315, 724, -724, 42},  {330, 886, -512, 41},
};

TEST(RotationSetup, StepsAndBoxOfA30PixelCell) {
  for (const StepRow& row : kSteps) {
    const RotationSetup setup = SetUpRotation(30, 30, row.angle);
    EXPECT_EQ(setup.cosStep, row.cosStep) << row.angle;
    EXPECT_EQ(setup.sinStep, row.sinStep) << row.angle;
    EXPECT_EQ(setup.outWidth, row.side) << row.angle;
    EXPECT_EQ(setup.outHeight, row.side) << row.angle;
  }
}

TEST(RotationSetup, BoxSides) {
  EXPECT_EQ(SetUpRotation(30, 30, 1).outWidth, 31);
  EXPECT_EQ(SetUpRotation(30, 30, 359).outHeight, 31);
  for (int32_t n : {29, 30}) {
    int32_t largest = 0;
    for (int32_t angle = -360; angle <= 360; ++angle) {
      const RotationSetup setup = SetUpRotation(n, n, angle);
      ASSERT_EQ(setup.outWidth, setup.outHeight) << angle;
      largest = std::max(largest, setup.outWidth);
    }
    EXPECT_EQ(largest, n == 30 ? 42 : 41);
    EXPECT_EQ(SetUpRotation(n, n, 45).outWidth, largest);
  }
}

// Sizes far beyond any canvas: the box saturates instead of overflowing the conversion.
TEST(RotationSetup, HugePicturesAndAnglesStayDefined) {
  const RotationSetup setup = SetUpRotation(INT_MAX, INT_MAX, 45);
  EXPECT_EQ(setup.outWidth, INT_MAX);
  EXPECT_EQ(SetUpRotation(INT_MIN, INT_MIN, 0).outHeight, INT_MAX);
  for (int32_t angle : {INT_MIN, INT_MAX}) {
    const RotationSetup extreme = SetUpRotation(30, 30, angle);
    EXPECT_LE(std::abs(extreme.cosStep), 1024);
    EXPECT_LE(extreme.outWidth, 42);
  }
}

// Where output pixel (j, i) of an n x n picture turned by whole quarters takes its source pixel:
// a turn about pixel (n / 2, n / 2), so c = 2 x (n / 2). A source pixel is sampled only with its
// right and lower neighbours in the picture (x, y <= n - 2); other outputs are not written.
using Source = std::pair<int32_t, int32_t>;
Source Unturned(int32_t j, int32_t i, int32_t) { return {j, i}; }
Source Quarter(int32_t j, int32_t i, int32_t c) { return {c - i, j}; }
Source Half(int32_t j, int32_t i, int32_t c) { return {c - j, c - i}; }
Source ThreeQuarters(int32_t j, int32_t i, int32_t c) { return {i, c - j}; }

struct QuarterTurn {
  int32_t angle;
  int32_t n;
  Source (*source)(int32_t j, int32_t i, int32_t c);
};

constexpr QuarterTurn kQuarterTurns[] = {
    {0, 30, Unturned},        {0, 29, Unturned},        {0, 2, Unturned},
    {90, 30, Quarter},        {90, 29, Quarter},        {180, 30, Half},
    {180, 29, Half},          {270, 30, ThreeQuarters}, {-90, 30, ThreeQuarters},
    {270, 29, ThreeQuarters}, {-270, 30, Quarter},
};

// Every fraction is 0 at a whole quarter turn, so each written value is max(v - 2, 0).
TEST_F(RotateTest, QuarterTurnsMoveWholePixels) {
  for (const QuarterTurn& turn : kQuarterTurns) {
    SCOPED_TRACE(::testing::Message() << turn.angle << " degrees, n " << turn.n);
    dst = Raster(kCanvas, kCanvas, kUnwritten);
    const Box box = Rotate(turn.n, turn.n, turn.angle);
    ASSERT_EQ(box.width, turn.n);
    ASSERT_EQ(box.height, turn.n);
    for (int32_t i = 0; i < kCanvas; ++i) {
      for (int32_t j = 0; j < kCanvas; ++j) {
        const auto [x, y] = turn.source(j, i, 2 * (turn.n / 2));
        const bool sampled = j < turn.n && i < turn.n && x <= turn.n - 2 && y <= turn.n - 2;
        const Rgb expected =
            sampled ? Darkened(src.At(x, y)) : Rgb{kUnwritten, kUnwritten, kUnwritten};
        ASSERT_EQ(dst.At(j, i), expected) << "output (" << j << ", " << i << ")";
      }
    }
  }
}

TEST_F(RotateTest, EighthTurnWrites841PixelsBesideRow0AndColumn41) {
  const Box box = Rotate(30, 30, 45);
  ASSERT_EQ(box.width, 42);
  int32_t written = 0;
  for (int32_t i = 0; i < kCanvas; ++i) {
    for (int32_t j = 0; j < kCanvas; ++j) {
      if (!Written(dst.At(j, i))) continue;
      ++written;
      EXPECT_TRUE(i > 0 && j < 41 && i < 42) << "output (" << j << ", " << i << ")";
    }
  }
  EXPECT_EQ(written, 841);
}

TEST_F(RotateTest, WhiteComesOutAt251To253AtEveryAngle) {
  src = Raster(kCanvas, kCanvas, 255);
  for (int32_t angle = -360; angle <= 360; ++angle) {
    dst = Raster(kCanvas, kCanvas, 0);
    const Box box = Rotate(30, 30, angle);
    for (int32_t i = 0; i < box.height; ++i) {
      for (int32_t j = 0; j < box.width; ++j) {
        const Rgb v = dst.At(j, i);
        if (v == Rgb{}) continue;
        ASSERT_GE(v.red, 251) << angle;
        ASSERT_LE(v.red, 253) << angle;
        ASSERT_TRUE(v.red == v.green && v.green == v.blue) << angle;
      }
    }
  }
}

// Against the literal model; a zero-filled destination also shows that no channel passes 253.
TEST_F(RotateTest, MatchesTheReferenceAtEveryAngleAndSize) {
  const int32_t extremeAngles[] = {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 44, 360 * 1000000 + 45};
  std::vector<std::pair<int32_t, int32_t>> turns;  // side n, angle
  for (int32_t n : {2, 3, 16, 29, 30}) {
    for (int32_t angle = -360; angle <= 360; ++angle) turns.push_back({n, angle});
  }
  for (int32_t angle : extremeAngles) turns.push_back({30, angle});
  for (const auto& [n, angle] : turns) {
    SCOPED_TRACE(::testing::Message() << angle << " degrees, n " << n);
    dst = Raster(kCanvas, kCanvas, 0);
    Raster expected = dst;
    const Box box = Rotate(n, n, angle);
    const Box expectedBox = ReferenceRotate(expected, src, n, n, angle);
    ASSERT_EQ(box.width, expectedBox.width);
    ASSERT_EQ(box.height, expectedBox.height);
    ASSERT_TRUE(dst == expected);
    ASSERT_LE(*std::max_element(dst.data(), dst.data() + kCanvas * kCanvas * 3), 253);
  }
}

// A picture larger than the canvas: reads GetPixel24 refuses count as 0, and writes past a row's
// end land in the row above, as far as the canvas bytes reach.
TEST(RotateOffCanvas, RefusedReadsCountAsZero) {
  CanvasRecord canvas(16, 16);
  Raster src(16, 16, 0);
  src.FillRandom(3);
  for (int32_t angle = -360; angle <= 360; ++angle) {
    Raster dst(16, 16, 0);
    dst.FillRandom(4);
    Raster expected = dst;
    ReferenceRotate(expected, src, 30, 30, angle);
    RotateBilinear(CanvasView(dst), CanvasView(src), 30, 30, angle);
    EXPECT_TRUE(dst == expected) << angle;
  }
}

struct ThinCase {
  int32_t width;
  int32_t height;
  int32_t angle;
  Box box;
};

TEST_F(RotateTest, PicturesWithoutSamplesWriteNothingButSetTheBox) {
  const ThinCase cases[] = {{1, 1, 0, {1, 1}},     {30, 1, 0, {30, 1}}, {1, 30, 90, {30, 1}},
                            {1, 30, 45, {22, 22}}, {0, 0, 45, {0, 0}},  {-5, -5, 0, {5, 5}}};
  for (const ThinCase& thin : cases) {
    const Box box = Rotate(thin.width, thin.height, thin.angle);
    EXPECT_EQ(box.width, thin.box.width) << thin.width << "x" << thin.height;
    EXPECT_EQ(box.height, thin.box.height) << thin.width << "x" << thin.height;
  }
  EXPECT_TRUE(dst == Raster(kCanvas, kCanvas, kUnwritten));
}

// A picture 2^22 pixels wide puts the column position past 2^31; the sampled low 16 bits still
// follow the source columns, x = j mod 64, and only the output inside the canvas is written.
TEST_F(RotateTest, PositionsBeyond32BitsKeepTheirLow16Bits) {
  constexpr int32_t kWide = 1 << 22;
  const Box box = Rotate(kWide, 2, 0);
  EXPECT_EQ(box.width, kWide);
  Raster expected(kCanvas, kCanvas, kUnwritten);
  for (int32_t j = 0; j < kCanvas; ++j) expected.Set(j, 0, Darkened(src.At(j, 0)));
  EXPECT_TRUE(dst == expected);
}

}  // namespace
}  // namespace stamp::test
