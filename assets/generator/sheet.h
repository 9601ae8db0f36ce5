// Stamp sheets: 120x90 images of twelve 30x30 cells, four to a row, cell k at
// (30 * (k % 4), 30 * (k / 4)). Stamps are multiplied onto the canvas, so every cell is ink on
// white: white leaves the canvas as it is, darker colours tint it.
#pragma once

#include <array>
#include <vector>

#include "image.h"
#include "shape.h"

namespace stamp::art {

inline constexpr int kCellSize = 30;
inline constexpr int kSheetColumns = 4;
inline constexpr int kSheetRows = 3;
inline constexpr int kCellCount = kSheetColumns * kSheetRows;
inline constexpr int kSheetWidth = kCellSize * kSheetColumns;
inline constexpr int kSheetHeight = kCellSize * kSheetRows;

// Shapes are drawn around the cell centre, (0,0), and stay within this distance of it: the
// stamp is turned about the cell centre, and the margin keeps every cell's border white.
inline constexpr double kCellReach = 12.5;

// One layer of a cell's drawing; a cell paints its layers in order.
struct Ink {
  Shape shape;
  Rgb colour;
};
using CellArt = std::vector<Ink>;
using SheetArt = std::array<CellArt, kCellCount>;

// Cell k of a sheet whose cell grid starts at origin.
Region CellRegion(int index, int originX, int originY);

// Paints the twelve cells into the grid at (originX, originY) of image.
void PaintCells(Image& image, int originX, int originY, const SheetArt& art);

Image DrawSheet(const SheetArt& art);

SheetArt ShapesSheet();
SheetArt NatureSheet();
SheetArt SymbolsSheet();

}  // namespace stamp::art
