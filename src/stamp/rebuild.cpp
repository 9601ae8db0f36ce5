// Stamp preparation: the selected 30x30 cell of the PanelImage, reduced to N x N when a reduction
// is set, is kept in the cell cache at (0,60) of stampBuffer and rotated from there onto the white
// 60x60 square at (0,0), the StampImage. A rebuild without extraction (a dial change) redoes only
// the rotation, from the cache, and never reads the PanelImage.
//
// The reduction needs the cell in a canvas-sized buffer first, because it reads through
// GetPixel24. The cell is staged in the StampImage square, which the white fill right after
// clears anyway. overlaySave is left alone: it holds the clean overlay while a canvas stroke is
// under way, and a key press between pen down and pen up must not print the cell into it.
#include "stamp/rebuild.h"

#include <cstdint>
#include <optional>

#include "files/panel_image.h"
#include "pixel/pixel_ops.h"
#include "plugin/module_state.h"
#include "stamp/reduce.h"
#include "stamp/rotate.h"

namespace stamp {
namespace {

// The reductions that shrink the cell, to that side; any other value leaves it whole.
constexpr int32_t kSmallestReducedSide = 5;
constexpr int32_t kLargestReducedSide = 29;
constexpr int32_t kStampSquareSide = 60;  // the StampImage: the white square at (0,0)
constexpr int32_t kCellCacheX = 0;        // the cell cache: 30x30 at (0,60)
constexpr int32_t kCellCacheY = 60;

// A buffer with the geometry every copy of it is addressed with.
struct Raster {
  uint8_t* pixels;
  int32_t width;
  int32_t height;
  int32_t bytes;
};

struct CellCorner {
  int32_t x;
  int32_t y;
};

Raster CanvasRaster(const HostContext& host, uint8_t* pixels) {
  return {pixels, host.canvasWidth(), host.canvasHeight(), host.canvasBytes()};
}

Raster PanelRaster(const PanelImage& panel) {
  return {panel.pixels, kPanelImageWidth, kPanelImageHeight, kPanelImageBytes};
}

bool Reduces(int32_t reduction) {
  return reduction >= kSmallestReducedSide && reduction <= kLargestReducedSide;
}

// The side of the picture that is rotated: the reduced size, or the whole cell.
int32_t EffectiveSize(int32_t reduction) { return Reduces(reduction) ? reduction : kCellSize; }

// The cell's top-left corner in the PanelImage: x = 70 + 30 x (selection mod 4) and
// y = 30 x (selection div 4), both truncating. A selection from the profile may put y beyond the
// int32 coordinates the pixel engine takes (it is formed in 64 bits); such a cell lies far
// outside the PanelImage, where a copy takes no pixel, so it is left out altogether.
std::optional<CellCorner> CellCornerOf(int32_t selection) {
  const int64_t x = kCellAreaX + int64_t{kCellSize} * (selection % kCellColumns);
  const int64_t y = kCellAreaY + int64_t{kCellSize} * (selection / kCellColumns);
  if (y < INT32_MIN || y > INT32_MAX) return std::nullopt;
  return CellCorner{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

// SRCCOPY of one 30x30 block; pixels outside either buffer are skipped by the bounds rule.
void CopyBlock(Raster dst, int32_t dx, int32_t dy, Raster src, int32_t sx, int32_t sy) {
  BlitCopy(dst.pixels, dst.width, dst.height, dx, dy, kCellSize, kCellSize, src.pixels, src.width,
           src.height, sx, sy, kSrcCopy, dst.bytes, src.bytes);
}

void CopySelectedCell(const ModuleState& module, Raster dst, int32_t dx, int32_t dy) {
  const std::optional<CellCorner> corner = CellCornerOf(module.selection);
  if (!corner) return;
  CopyBlock(dst, dx, dy, PanelRaster(module.panel), corner->x, corner->y);
}

// Fills the cell cache from the PanelImage. A reduced cell is averaged from its staged copy into
// scratchBuffer (0,0), and the whole 30x30 block there goes to the cache; only its top-left
// N x N pixels are meaningful.
void ExtractCell(const ModuleState& module, Raster stampImage, Raster scratch) {
  if (!Reduces(module.reduction)) {
    CopySelectedCell(module, stampImage, kCellCacheX, kCellCacheY);
    return;
  }
  CopySelectedCell(module, stampImage, 0, 0);
  ReduceAreaAverage(scratch.pixels, stampImage.pixels, module.reduction, module.reduction,
                    kCellSize, kCellSize);
  CopyBlock(stampImage, kCellCacheX, kCellCacheY, scratch, 0, 0);
}

}  // namespace

void RebuildStamp(bool extract) {
  const ModuleState& module = Module();
  const Raster stampImage = CanvasRaster(module.host, module.host.stampBuffer());
  const Raster scratch = CanvasRaster(module.host, module.host.scratchBuffer());
  if (extract) ExtractCell(module, stampImage, scratch);
  FillWhite(stampImage.pixels, stampImage.width, stampImage.height, 0, 0, kStampSquareSide,
            kStampSquareSide, stampImage.bytes);
  CopyBlock(scratch, 0, 0, stampImage, kCellCacheX, kCellCacheY);
  const int32_t side = EffectiveSize(module.reduction);
  RotateBilinear(stampImage.pixels, scratch.pixels, side, side, module.angle);
}

}  // namespace stamp
