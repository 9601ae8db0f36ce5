// The per-pixel operations: each blend mode and raster operation on example figures, the exact
// division by 255, and claims that must hold for every pair of bytes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "pixel/scenario.h"
#include "src/pixel/blend_modes.h"
#include "src/pixel/pixel_ops.h"

namespace stamp::test {
namespace {

// One pixel's blue, green and red bytes.
using Bgr = std::array<uint8_t, 3>;

// One pixel of source and destination with the same byte in all three channels, through a blend
// mode or a raster operation.
uint8_t OnePixel(RectFunction function, int32_t code, uint8_t s, uint8_t d) {
  const Bgr source = {s, s, s};
  Bgr target = {d, d, d};
  function(target.data(), 1, 1, 0, 0, 1, 1, source.data(), 1, 1, 0, 0, code, 3, 3);
  EXPECT_TRUE(target[0] == target[1] && target[1] == target[2]) << "channels treated alike";
  return target[0];
}

TEST(PixelOperationTest, ExampleFigures) {
  const struct {
    RectFunction function;
    int32_t code;
    uint8_t s, d, expected;
  } cases[] = {{kEngineBlitBlend, BlendLighten, 10, 200, 200},
               {kEngineBlitBlend, BlendLighten, 200, 10, 200},
               {kEngineBlitBlend, BlendDarken, 10, 200, 10},
               {kEngineBlitBlend, BlendDarken, 200, 10, 10},
               {kEngineBlitBlend, BlendAnd, 0xF0, 0x3C, 0x30},
               {kEngineBlitBlend, BlendOr, 0xF0, 0x3C, 0xFC},
               {kEngineBlitBlend, BlendAdd, 100, 200, 255},
               {kEngineBlitBlend, BlendAdd, 50, 100, 150},
               {kEngineBlitBlend, BlendSourceMinusDest, 50, 100, 0},
               {kEngineBlitBlend, BlendSourceMinusDest, 100, 50, 50},
               {kEngineBlitBlend, BlendMultiply, 255, 77, 77},
               {kEngineBlitBlend, BlendMultiply, 0, 77, 0},
               {kEngineBlitBlend, BlendMultiply, 128, 128, 64},
               {kEngineBlitBlend, BlendMultiply, 255, 255, 255},
               {kEngineBlitBlend, BlendAddProduct, 128, 100, 150},
               {kEngineBlitBlend, BlendAddProduct, 255, 200, 255},
               {kEngineBlitBlend, BlendSubtractProduct, 128, 200, 100},
               {kEngineBlitBlend, BlendSubtractProduct, 255, 200, 0},
               {kEngineBlitBlend, BlendScreenInverted, 255, 77, 77},
               {kEngineBlitBlend, BlendScreenInverted, 0, 0, 255},
               {kEngineBlitBlend, BlendScreenInverted, 0, 200, 255},
               {kEngineBlitBlend, BlendScreenInverted, 128, 100, 177},
               {kEngineBlitCopy, kSrcCopy, 10, 200, 10},
               {kEngineBlitCopy, kNotSrcCopy, 10, 200, 245},
               {kEngineBlitCopy, kNotSrcCopy, 255, 0, 0},
               {kEngineBlitCopy, kSrcAnd, 0xF0, 0x3C, 0x30},
               {kEngineBlitCopy, kSrcPaint, 0xF0, 0x3C, 0xFC}};
  for (const auto& c : cases) {
    EXPECT_EQ(OnePixel(c.function, c.code, c.s, c.d), c.expected)
        << "code " << c.code << ", s " << int{c.s} << ", d " << int{c.d};
  }
}

TEST(BlendModeTest, ChannelsAreBlendedEachByItself) {
  const Bgr source = {255, 0, 128};
  Bgr target = {77, 77, 128};
  kEngineBlitBlend(target.data(), 1, 1, 0, 0, 1, 1, source.data(), 1, 1, 0, 0, BlendMultiply, 3, 3);
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
    kEngineBlitBlend(target.data(), 1, 1, 0, 0, 1, 1, c.source.data(), 1, 1, 0, 0,
                     BlendTransparentWhite, 3, 3);
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
    Scenario blended = AllBytePairs();
    Scenario copied = blended;
    blended.Run(kEngineBlitBlend, pair.mode);
    copied.Run(kEngineBlitCopy, pair.rasterOp);
    EXPECT_EQ(blended.dstBlock, copied.dstBlock) << "mode " << pair.mode;
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

// The walk stores each channel result without clamping: Add and AddProduct clamp themselves,
// SubtractProduct cannot go below 0 and ScreenInverted cannot exceed 255 for bytes s and d.
TEST(ChannelOpTest, ResultIsAByteForEveryPairOfBytes) {
  const struct {
    const char* name;
    ChannelOp op;
  } ops[] = {{"Lighten", blend::Lighten},
             {"Darken", blend::Darken},
             {"And", blend::And},
             {"Or", blend::Or},
             {"Add", blend::Add},
             {"SourceMinusDest", blend::SourceMinusDest},
             {"Multiply", blend::Multiply},
             {"AddProduct", blend::AddProduct},
             {"SubtractProduct", blend::SubtractProduct},
             {"ScreenInverted", blend::ScreenInverted},
             {"Copy", raster::Copy},
             {"NotCopy", raster::NotCopy}};
  for (const auto& [name, op] : ops) {
    for (uint32_t s = 0; s < 256; ++s) {
      for (uint32_t d = 0; d < 256; ++d)
        ASSERT_LE(op(s, d), 255u) << name << ", s " << s << ", d " << d;
    }
  }
}

}  // namespace
}  // namespace stamp::test
