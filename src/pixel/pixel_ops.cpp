// The rectangle operations: each looks its operation up once, then runs the walk instantiated for
// that operation, so the per-pixel work is inlined and the walk itself is written once.
#include "pixel/pixel_ops.h"

#include <array>
#include <cstddef>
#include <utility>

#include "pixel/blend_modes.h"
#include "pixel/rect_walk.h"

namespace stamp {
namespace {

using Walk = void (*)(Surface<uint8_t> dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
                      Surface<const uint8_t> src, int32_t sx, int32_t sy);

template <size_t... Mode>
constexpr std::array<Walk, sizeof...(Mode)> MakeBlendWalks(std::index_sequence<Mode...>) {
  return {WalkRectangle<kBlendOps[Mode]>...};
}

template <size_t... Index>
constexpr std::array<Walk, sizeof...(Index)> MakeRasterWalks(std::index_sequence<Index...>) {
  return {WalkRectangle<kRasterOps[Index].op>...};
}

constexpr auto kBlendWalks = MakeBlendWalks(std::make_index_sequence<kBlendOps.size()>{});
constexpr auto kRasterWalks = MakeRasterWalks(std::make_index_sequence<kRasterOps.size()>{});

// The walk for a blend mode, or nullptr for a mode outside 0..10.
Walk BlendWalk(int32_t mode) {
  if (mode < 0 || mode >= static_cast<int32_t>(kBlendWalks.size())) return nullptr;
  return kBlendWalks[static_cast<size_t>(mode)];
}

// The walk for a raster-operation code, or nullptr for a code that is not listed.
Walk RasterWalk(int32_t code) {
  for (size_t i = 0; i < kRasterOps.size(); ++i) {
    if (kRasterOps[i].code == code) return kRasterWalks[i];
  }
  return nullptr;
}

}  // namespace

void BlitCopy(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
              int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
              int32_t srcHeight, int32_t sx, int32_t sy, int32_t rasterOp, int32_t dstBytes,
              int32_t srcBytes) {
  const Walk walk = RasterWalk(rasterOp);
  if (walk == nullptr) return;
  walk({dst, dstWidth, dstHeight, dstBytes}, dx, dy, width, height,
       {src, srcWidth, srcHeight, srcBytes}, sx, sy);
}

void BlitBlend(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
               int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
               int32_t srcHeight, int32_t sx, int32_t sy, int32_t mode, int32_t dstBytes,
               int32_t srcBytes) {
  const Walk walk = BlendWalk(mode);
  if (walk == nullptr) return;
  walk({dst, dstWidth, dstHeight, dstBytes}, dx, dy, width, height,
       {src, srcWidth, srcHeight, srcBytes}, sx, sy);
}

// The buffer is walked paired with itself at the same place, so the source test is the
// destination test and only the buffer's own bound applies; White ignores the source bytes.
void FillWhite(uint8_t* buffer, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
               int32_t width, int32_t height, int32_t bytes) {
  WalkRectangle<White>({buffer, bufferWidth, bufferHeight, bytes}, x, y, width, height,
                       {buffer, bufferWidth, bufferHeight, bytes}, x, y);
}

}  // namespace stamp
