// Stamp preparation: the selected 30x30 cell of the PanelImage, reduced to N x N when a reduction
// is set, is kept in the cell cache at (0,60) of stampBuffer and rotated from there onto the white
// 60x60 square at (0,0), the StampImage. A rebuild without extraction (a dial change) redoes only
// the rotation, from the cache, and never reads the PanelImage.
//
// The reduction needs the cell in a canvas-sized buffer first, because it reads through
// GetPixel24. The cell is staged in the StampImage square, which the white fill right after
// clears anyway. overlaySave is left alone: it holds the clean overlay while a canvas stroke is
// under way, and a key press between pen down and pen up must not print the cell into it.
#include "src/prepare/rebuild.h"

#include <cstdint>
#include <optional>

#include "src/core/panel_image_layout.h"
#include "src/pixel/pixel_ops.h"
#include "src/prepare/reduce.h"
#include "src/prepare/rotate.h"

namespace stamp {
namespace {

constexpr int32_t kStampSquareSide = 60;  // the StampImage: the white square at (0,0)
constexpr int32_t kCellCacheX = 0;        // the cell cache: 30x30 at (0,60)
constexpr int32_t kCellCacheY = 60;

bool Reduces(int32_t reduction) {
  return reduction >= kSmallestReducedSide && reduction <= kLargestReducedSide;
}

// The side of the picture that is rotated: the reduced size, or the whole cell.
int32_t EffectiveSize(int32_t reduction) { return Reduces(reduction) ? reduction : kCellSize; }

// SRCCOPY of one 30x30 block; pixels outside either buffer are skipped by the bounds rule.
void CopyBlock(ImageView dst, int32_t dx, int32_t dy, ConstImageView src, int32_t sx, int32_t sy) {
  BlitCopy(dst, dx, dy, kCellSize, kCellSize, src, sx, sy, kSrcCopy);
}

// A cell beyond the int32 coordinates lies far outside the PanelImage, where a copy takes no
// pixel, so it is left out altogether.
void CopySelectedCell(ConstImageView panelImage, int32_t selection, ImageView dst, int32_t dx,
                      int32_t dy) {
  const std::optional<CellPoint> corner = CellCorner(selection, {kCellArea.x, kCellArea.y});
  if (!corner) return;
  CopyBlock(dst, dx, dy, panelImage, corner->x, corner->y);
}

// Fills the cell cache from the PanelImage. A reduced cell is averaged from its staged copy into
// scratchBuffer (0,0), and the whole 30x30 block there goes to the cache; only its top-left
// N x N pixels are meaningful.
void ExtractCell(ConstImageView panelImage, const StampSettings& settings, StampBuffers buffers) {
  if (!Reduces(settings.reduction)) {
    CopySelectedCell(panelImage, settings.selection, buffers.stampImage, kCellCacheX, kCellCacheY);
    return;
  }
  CopySelectedCell(panelImage, settings.selection, buffers.stampImage, 0, 0);
  ReduceAreaAverage(buffers.scratch, buffers.stampImage, settings.reduction, settings.reduction,
                    kCellSize, kCellSize);
  CopyBlock(buffers.stampImage, kCellCacheX, kCellCacheY, buffers.scratch, 0, 0);
}

}  // namespace

RotatedSize PrepareStamp(ConstImageView panelImage, const StampSettings& settings,
                         StampBuffers buffers) {
  ExtractCell(panelImage, settings, buffers);
  return TurnStamp(settings, buffers);
}

RotatedSize TurnStamp(const StampSettings& settings, StampBuffers buffers) {
  FillWhite(buffers.stampImage, 0, 0, kStampSquareSide, kStampSquareSide);
  CopyBlock(buffers.scratch, 0, 0, buffers.stampImage, kCellCacheX, kCellCacheY);
  const int32_t side = EffectiveSize(settings.reduction);
  return RotateBilinear(buffers.stampImage, buffers.scratch, side, side, settings.angle);
}

}  // namespace stamp
