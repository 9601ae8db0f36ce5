// The rectangle operations: each looks its operation up once. A rectangle that lies wholly
// inside its buffers, apart from the other rectangle in memory, runs through the operation's row
// loops; any other runs the walk, which is written once and inlines the per-pixel work. Both
// give the same bytes (the walk is the definition; see inside_rows.h).
#include "src/pixel/pixel_ops.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

#include "src/pixel/blend_modes.h"
#include "src/pixel/inside_rows.h"
#include "src/pixel/rect_walk.h"
#include "src/pixel/row_loops.h"

namespace stamp {
namespace {

using Walk = void (*)(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
                      ConstImageView src, int32_t sx, int32_t sy);

// An operation's two forms: the walk over every pixel and the loops over inside rows.
struct Operation {
  Walk walk;
  RowLoop rows;
};

template <size_t... Mode>
constexpr std::array<Walk, sizeof...(Mode)> MakeBlendWalks(std::index_sequence<Mode...>) {
  return {WalkRectangle<kBlendOps[Mode]>...};
}

template <size_t... Index>
constexpr std::array<Walk, sizeof...(Index)> MakeRasterWalks(std::index_sequence<Index...>) {
  return {WalkRectangle<PerChannel<kRasterOps[Index].op>>...};
}

constexpr auto kBlendWalks = MakeBlendWalks(std::make_index_sequence<kBlendOps.size()>{});
constexpr auto kRasterWalks = MakeRasterWalks(std::make_index_sequence<kRasterOps.size()>{});

// The operation of a blend mode, or nothing for a mode outside 0..10.
std::optional<Operation> BlendOperation(int32_t mode) {
  if (mode < 0 || mode >= static_cast<int32_t>(kBlendWalks.size())) return std::nullopt;
  const auto index = static_cast<size_t>(mode);
  return Operation{kBlendWalks[index], BlendRowLoop(index)};
}

// The operation of a raster-operation code, or nothing for a code that is not listed.
std::optional<Operation> RasterOperation(int32_t code) {
  for (size_t i = 0; i < kRasterOps.size(); ++i) {
    if (kRasterOps[i].code == code) return Operation{kRasterWalks[i], RasterRowLoop(i)};
  }
  return std::nullopt;
}

void Run(const std::optional<Operation>& op, ImageView dst, int32_t dx, int32_t dy, int32_t width,
         int32_t height, ConstImageView src, int32_t sx, int32_t sy) {
  if (!op) return;
  if (const std::optional<RectRows> rows = InsideRows(dst, dx, dy, width, height, src, sx, sy)) {
    op->rows(*rows);
  } else {
    op->walk(dst, dx, dy, width, height, src, sx, sy);
  }
}

}  // namespace

void BlitCopy(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
              ConstImageView src, int32_t sx, int32_t sy, int32_t rasterOp) {
  Run(RasterOperation(rasterOp), dst, dx, dy, width, height, src, sx, sy);
}

void BlitBlend(ImageView dst, int32_t dx, int32_t dy, int32_t width, int32_t height,
               ConstImageView src, int32_t sx, int32_t sy, int32_t mode) {
  Run(BlendOperation(mode), dst, dx, dy, width, height, src, sx, sy);
}

// The buffer is walked paired with itself at the same place, so the source test is the
// destination test and only the buffer's own bound applies; White ignores the source bytes.
void FillWhite(ImageView buffer, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (const std::optional<RectRows> rows = InsideRows(buffer, x, y, width, height)) {
    WhiteRows(*rows);
    return;
  }
  WalkRectangle<White>(buffer, x, y, width, height, buffer, x, y);
}

}  // namespace stamp
