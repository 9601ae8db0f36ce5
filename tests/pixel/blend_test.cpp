// The per-pixel operations: each blend mode and raster operation on example figures, the exact
// division by 255, and claims that must hold for every pair of bytes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "src/pixel/blend_modes.h"
#include "src/pixel/pixel_ops.h"
#include "pixel/rect_operations.h"

namespace stamp::test {
namespace {

// One pixel's blue, green and red bytes.
using Bgr = std::array<uint8_t, 3>;

// One pixel of source and destination with the same byte in all three channels, blended.
uint8_t BlendOne(int32_t mode, uint8_t s, uint8_t d) {
  const Bgr source = {s, s, s};
  Bgr target = {d, d, d};
  BlitBlend(target.data(), 1, 1, 0, 0, 1, 1, source.data(), 1, 1, 0, 0, mode, 3, 3);
  EXPECT_TRUE(target[0] == target[1] && target[1] == target[2]) << "channels treated alike";
  return target[0];
}

uint8_t CopyOne(int32_t code, uint8_t s, uint8_t d) {
  const Bgr source = {s, s, s};
  Bgr target = {d, d, d};
  BlitCopy(target.data(), 1, 1, 0, 0, 1, 1, source.data(), 1, 1, 0, 0, code, 3, 3);
  return target[0];
}

struct ChannelCase {
  int32_t op;
  uint8_t s, d, expected;
};

TEST(BlendModeTest, ExampleFigures) {
  const ChannelCase cases[] = {
      {BlendLighten, 10, 200, 200},
      {BlendLighten, 200, 10, 200},
      {BlendDarken, 10, 200, 10},
      {BlendDarken, 200, 10, 10},
      {BlendAnd, 0xF0, 0x3C, 0x30},
      {BlendOr, 0xF0, 0x3C, 0xFC},
      {BlendAdd, 100, 200, 255},
      {BlendAdd, 50, 100, 150},
      {BlendSourceMinusDest, 50, 100, 0},
      {BlendSourceMinusDest, 100, 50, 50},
      {BlendMultiply, 255, 77, 77},
      {BlendMultiply, 0, 77, 0},
      {BlendMultiply, 128, 128, 64},
      {BlendMultiply, 255, 255, 255},
      {BlendAddProduct, 128, 100, 150},
      {BlendAddProduct, 255, 200, 255},
      {BlendSubtractProduct, 128, 200, 100},
      {BlendSubtractProduct, 255, 200, 0},
      {BlendScreenInverted, 255, 77, 77},
      {BlendScreenInverted, 0, 0, 255},
      {BlendScreenInverted, 0, 200, 255},
      {BlendScreenInverted, 128, 100, 177},
  };
  for (const ChannelCase& c : cases) {
    EXPECT_EQ(BlendOne(c.op, c.s, c.d), c.expected)
        << "mode " << c.op << ", s " << int{c.s} << ", d " << int{c.d};
  }
}

TEST(RasterOperationTest, ExampleFigures) {
  const ChannelCase cases[] = {
      {kSrcCopy, 10, 200, 10},     {kNotSrcCopy, 10, 200, 245},   {kNotSrcCopy, 255, 0, 0},
      {kSrcAnd, 0xF0, 0x3C, 0x30}, {kSrcPaint, 0xF0, 0x3C, 0xFC},
  };
  for (const ChannelCase& c : cases) {
    EXPECT_EQ(CopyOne(c.op, c.s, c.d), c.expected)
        << "code " << c.op << ", s " << int{c.s} << ", d " << int{c.d};
  }
}

TEST(BlendModeTest, ChannelsAreBlendedEachByItself) {
  const Bgr source = {255, 0, 128};
  Bgr target = {77, 77, 128};
  BlitBlend(target.data(), 1, 1, 0, 0, 1, 1, source.data(), 1, 1, 0, 0, BlendMultiply, 3, 3);
  EXPECT_EQ(target, (Bgr{77, 0, 64}));
}

TEST(BlendModeTest, TransparentWhiteSkipsOnlyPureWhiteSourcePixels) {
  const struct {
    Bgr source;
    bool replaces;
  } cases[] = {
      {{255, 255, 255}, false}, {{255, 255, 254}, true}, {{254, 255, 255}, true},
      {{255, 254, 255}, true},  {{0, 0, 0}, true},
  };
  const Bgr before = {10, 20, 30};
  for (const auto& c : cases) {
    Bgr target = before;
    BlitBlend(target.data(), 1, 1, 0, 0, 1, 1, c.source.data(), 1, 1, 0, 0, BlendTransparentWhite,
              3, 3);
    EXPECT_EQ(target, c.replaces ? c.source : before)
        << int{c.source[0]} << "," << int{c.source[1]} << "," << int{c.source[2]};
  }
}

TEST(BlendModeTest, AndAndOrModesEqualTheirRasterOperations) {
  const struct {
    int32_t mode;
    int32_t rasterOp;
  } pairs[] = {{BlendAnd, kSrcAnd}, {BlendOr, kSrcPaint}};
  for (const auto& pair : pairs) {
    AllBytePairs blended;
    AllBytePairs copied;
    blended.Apply(BlitBlend, pair.mode);
    copied.Apply(BlitCopy, pair.rasterOp);
    EXPECT_EQ(blended.target, copied.target) << "mode " << pair.mode;
  }
}

TEST(Div255Test, TruncatesEveryProductOfTwoBytes) {
  for (uint32_t s = 0; s < 256; ++s) {
    for (uint32_t d = 0; d < 256; ++d) {
      const uint32_t product = s * d;
      const uint32_t quotient = Div255(product);
      ASSERT_LE(quotient * 255, product) << s << " x " << d;
      ASSERT_LT(product, quotient * 255 + 255) << s << " x " << d;
    }
  }
}

struct NamedChannelOp {
  const char* name;
  ChannelOp op;
};

class ChannelOpTest : public ::testing::TestWithParam<NamedChannelOp> {};

// The walk stores each channel result without clamping: Add and AddProduct clamp themselves,
// SubtractProduct cannot go below 0 and ScreenInverted cannot exceed 255 for bytes s and d.
TEST_P(ChannelOpTest, ResultIsAByteForEveryPairOfBytes) {
  const ChannelOp op = GetParam().op;
  for (uint32_t s = 0; s < 256; ++s) {
    for (uint32_t d = 0; d < 256; ++d) ASSERT_LE(op(s, d), 255u) << "s " << s << ", d " << d;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pixel, ChannelOpTest,
    ::testing::Values(NamedChannelOp{"Lighten", blend::Lighten},
                      NamedChannelOp{"Darken", blend::Darken}, NamedChannelOp{"And", blend::And},
                      NamedChannelOp{"Or", blend::Or}, NamedChannelOp{"Add", blend::Add},
                      NamedChannelOp{"SourceMinusDest", blend::SourceMinusDest},
                      NamedChannelOp{"Multiply", blend::Multiply},
                      NamedChannelOp{"AddProduct", blend::AddProduct},
                      NamedChannelOp{"SubtractProduct", blend::SubtractProduct},
                      NamedChannelOp{"ScreenInverted", blend::ScreenInverted},
                      NamedChannelOp{"Copy", raster::Copy},
                      NamedChannelOp{"NotCopy", raster::NotCopy}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stamp::test
