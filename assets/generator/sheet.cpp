#include "sheet.h"

#include "raster.h"

namespace stamp::art {

Region CellRegion(int index, int originX, int originY) {
  return {originX + kCellSize * (index % kSheetColumns),
          originY + kCellSize * (index / kSheetColumns), kCellSize, kCellSize};
}

void PaintCells(Image& image, int originX, int originY, const SheetArt& art) {
  for (int index = 0; index < kCellCount; ++index) {
    const Region cell = CellRegion(index, originX, originY);
    for (const Ink& ink : art[static_cast<size_t>(index)]) {
      PaintCentred(image, cell, ink.shape, ink.colour);
    }
  }
}

Image DrawSheet(const SheetArt& art) {
  Image sheet(kSheetWidth, kSheetHeight, kWhite);
  PaintCells(sheet, 0, 0, art);
  return sheet;
}

}  // namespace stamp::art
