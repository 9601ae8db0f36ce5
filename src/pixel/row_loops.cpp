// Each loop reads a row's source and destination bytes and writes its destination bytes; the
// rows come bottom first, as in the walk. The destination and source rows never share a byte
// (InsideRows makes sure), which is what lets the compiler load and store many bytes at once.
//
// Every loop is built twice, for the SSE2 baseline and for AVX2, and the processor's features
// pick one at the first call. Both are compiled from the same source; the pixel tests run each
// against the walk, whichever the processor would pick.
#include "src/pixel/row_loops.h"

#include <array>
#include <cstring>
#include <utility>

#include "src/pixel/blend_modes.h"

namespace stamp {
namespace {

using Row = void (*)(uint8_t* dst, const uint8_t* src, size_t bytes);

constexpr uint32_t kLowByte = 0xFF;
constexpr uint32_t kByteBits = 8;

// The channel operation on every byte of a row, two bytes at a time as one 16-bit word: its low
// and its high byte each go through the operation by itself. A product of two bytes needs 16
// bits, so the vectoriser works in 16-bit lanes anyway; taking the bytes in word pairs spares it
// widening each byte to a lane and narrowing the results back. Every channel operation gives at
// most 255 (blend_modes.h), so the two results fill the word's two bytes.
template <ChannelOp Op>
[[gnu::always_inline]] inline void ChannelRow(uint8_t* __restrict dst,
                                              const uint8_t* __restrict src, size_t bytes) {
  size_t k = 0;
  for (; k + 2 <= bytes; k += 2) {
    uint16_t s = 0;
    uint16_t d = 0;
    std::memcpy(&s, src + k, sizeof s);
    std::memcpy(&d, dst + k, sizeof d);
    const uint32_t low = Op(s & kLowByte, d & kLowByte);
    const uint32_t high = Op(uint32_t{s} >> kByteBits, uint32_t{d} >> kByteBits);
    const auto out = static_cast<uint16_t>(low | high << kByteBits);
    std::memcpy(dst + k, &out, sizeof out);
  }
  if (k < bytes) dst[k] = static_cast<uint8_t>(Op(src[k], dst[k]));
}

// A whole-pixel operation on every pixel of a row.
template <PixelOp Op>
[[gnu::always_inline]] inline void PixelRow(uint8_t* __restrict dst, const uint8_t* __restrict src,
                                            size_t bytes) {
  for (size_t k = 0; k < bytes; k += 3) {
    StorePixel(dst + k, Op(LoadPixel(src + k), LoadPixel(dst + k)));
  }
}

template <Row RowOp>
[[gnu::always_inline]] inline void EveryRow(const RectRows& rows) {
  const auto bytes = static_cast<size_t>(rows.rowBytes);
  for (int64_t r = 0; r < rows.rows; ++r) RowOp(rows.DstRow(r), rows.SrcRow(r), bytes);
}

template <Row RowOp>
void Baseline(const RectRows& rows) {
  EveryRow<RowOp>(rows);
}

template <Row RowOp>
[[gnu::target("avx2")]] void WithAvx2(const RectRows& rows) {
  EveryRow<RowOp>(rows);
}

template <Row RowOp>
constexpr RowLoopBuilds kLoops = {Baseline<RowOp>, WithAvx2<RowOp>};

template <size_t Mode>
constexpr RowLoopBuilds BlendLoops() {
  if constexpr (Mode == BlendTransparentWhite) {
    return kLoops<PixelRow<blend::TransparentWhite>>;
  } else {
    return kLoops<ChannelRow<kBlendChannelOps[Mode]>>;
  }
}

template <size_t... Mode>
constexpr std::array<RowLoopBuilds, sizeof...(Mode)> MakeBlendLoops(std::index_sequence<Mode...>) {
  return {BlendLoops<Mode>()...};
}

template <size_t... Index>
constexpr std::array<RowLoopBuilds, sizeof...(Index)> MakeRasterLoops(
    std::index_sequence<Index...>) {
  return {kLoops<ChannelRow<kRasterOps[Index].op>>...};
}

constexpr auto kBlendLoops = MakeBlendLoops(std::make_index_sequence<kBlendOps.size()>{});
constexpr auto kRasterLoops = MakeRasterLoops(std::make_index_sequence<kRasterOps.size()>{});

// The features are read here rather than left to the runtime's start-up, whose order beside a
// module's own initialisers is not the same on every system.
RowLoop ForThisProcessor(const RowLoopBuilds& loops) {
  static const bool hasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
  return hasAvx2 ? loops.avx2 : loops.baseline;
}

}  // namespace

RowLoop BlendRowLoop(size_t mode) { return ForThisProcessor(kBlendLoops[mode]); }

RowLoop RasterRowLoop(size_t index) { return ForThisProcessor(kRasterLoops[index]); }

RowLoopBuilds BlendRowLoopBuilds(size_t mode) { return kBlendLoops[mode]; }

RowLoopBuilds RasterRowLoopBuilds(size_t index) { return kRasterLoops[index]; }

void WhiteRows(const RectRows& rows) {
  const auto bytes = static_cast<size_t>(rows.rowBytes);
  for (int64_t r = 0; r < rows.rows; ++r) std::memset(rows.DstRow(r), 0xFF, bytes);
}

}  // namespace stamp
