// The per-pixel operations of BlitBlend, BlitCopy and FillWhite as pure functions, and the tables
// that map a blend mode or a raster-operation code to its operation.
//
// Channel operations take the source byte s and the destination byte d (0..255) and return the
// new destination byte, computed in 32-bit unsigned arithmetic. Every one of them stays within
// 0..255 for every input pair, so the walk stores the result as it is, without clamping.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "src/pixel/pixel_ops.h"

namespace stamp {

// One pixel's three bytes in memory order: blue, green, red.
using Pixel = std::array<uint8_t, 3>;
inline constexpr Pixel kWhite = {255, 255, 255};

using ChannelOp = uint32_t (*)(uint32_t s, uint32_t d);
using PixelOp = Pixel (*)(Pixel s, Pixel d);

// A product of two bytes divided by 255, truncating. Not interchangeable with a shift by 8:
// 255 x 255 / 255 is 255, where 255 x 255 >> 8 is 254.
constexpr uint32_t Div255(uint32_t product) { return product / 255u; }

// Applies a channel operation to blue, green and red alike.
template <ChannelOp Op>
constexpr Pixel PerChannel(Pixel s, Pixel d) {
  Pixel out{};
  for (size_t c = 0; c < out.size(); ++c) out[c] = static_cast<uint8_t>(Op(s[c], d[c]));
  return out;
}

namespace blend {

constexpr uint32_t Lighten(uint32_t s, uint32_t d) { return s > d ? s : d; }
constexpr uint32_t Darken(uint32_t s, uint32_t d) { return s < d ? s : d; }
constexpr uint32_t And(uint32_t s, uint32_t d) { return d & s; }
constexpr uint32_t Or(uint32_t s, uint32_t d) { return d | s; }
constexpr uint32_t Add(uint32_t s, uint32_t d) { return d + s < 255u ? d + s : 255u; }
// The source minus the destination, never the other way round: max(s, d) - d is s - d where
// s > d and 0 elsewhere. Written so, the row loops' vectoriser finds it (a subtraction after a
// select it does not).
constexpr uint32_t SourceMinusDest(uint32_t s, uint32_t d) {
  const uint32_t larger = Lighten(s, d);
  return larger - d;
}
// White (255) is neutral: 255 x d / 255 is d.
constexpr uint32_t Multiply(uint32_t s, uint32_t d) { return Div255(s * d); }
constexpr uint32_t AddProduct(uint32_t s, uint32_t d) {
  const uint32_t sum = d + Div255(s * d);
  return sum < 255u ? sum : 255u;
}
// s <= 255 makes s x d / 255 <= d, so the difference never goes below 0.
constexpr uint32_t SubtractProduct(uint32_t s, uint32_t d) { return d - Div255(s * d); }
// (255 - s)(255 - d) / 255 <= 255 - d, so the sum never exceeds 255.
constexpr uint32_t ScreenInverted(uint32_t s, uint32_t d) {
  return d + Div255((255u - s) * (255u - d));
}

// Per pixel: a pure white source pixel is transparent, any other replaces the destination.
constexpr Pixel TransparentWhite(Pixel s, Pixel d) { return s == kWhite ? d : s; }

}  // namespace blend

namespace raster {

constexpr uint32_t Copy(uint32_t s, uint32_t) { return s; }
constexpr uint32_t NotCopy(uint32_t s, uint32_t) { return 255u - s; }

}  // namespace raster

constexpr Pixel White(Pixel, Pixel) { return kWhite; }

// The channel operation of each blend mode, indexed by BlendMode (0..10); TransparentWhite works
// on whole pixels and has none.
inline constexpr std::array<ChannelOp, 11> kBlendChannelOps = {
    blend::Lighten,
    blend::Darken,
    blend::And,
    blend::Or,
    blend::Add,
    blend::SourceMinusDest,
    blend::Multiply,
    blend::AddProduct,
    blend::SubtractProduct,
    nullptr,
    blend::ScreenInverted,
};
static_assert(kBlendChannelOps.size() == BlendScreenInverted + 1);

template <size_t Mode>
constexpr PixelOp BlendPixelOp() {
  if constexpr (Mode == BlendTransparentWhite) {
    return blend::TransparentWhite;
  } else {
    return PerChannel<kBlendChannelOps[Mode]>;
  }
}

template <size_t... Mode>
constexpr std::array<PixelOp, sizeof...(Mode)> MakeBlendOps(std::index_sequence<Mode...>) {
  return {BlendPixelOp<Mode>()...};
}

// The pixel operation of each blend mode, indexed by BlendMode (0..10).
inline constexpr auto kBlendOps = MakeBlendOps(std::make_index_sequence<kBlendChannelOps.size()>{});

struct RasterEntry {
  int32_t code;
  ChannelOp op;  // the same on every channel
};

// The raster operations by code; SRCAND and SRCPAINT are the blend modes And and Or.
inline constexpr std::array<RasterEntry, 4> kRasterOps = {{
    {kSrcCopy, raster::Copy},
    {kNotSrcCopy, raster::NotCopy},
    {kSrcAnd, blend::And},
    {kSrcPaint, blend::Or},
}};

}  // namespace stamp
