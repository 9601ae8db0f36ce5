#include "host/sheets/sheet_maker.h"

#include <algorithm>
#include <cstring>

#include "platform/portable/bmp/bmp_encoder.h"

namespace stamp::host {
namespace {

constexpr int32_t kCell = STAMP_CELL_SIZE;
constexpr uint8_t kWhite = 0xFF;
constexpr size_t kPixelBytes = 3;

// The shorter side as the same share of the cell as of the longer side, rounded half up: at
// most the picture's own side, since the longer one only shrinks.
int32_t Share(int32_t side, int32_t longer) {
  return std::max<int32_t>(
      1, static_cast<int32_t>((int64_t{2} * side * kCell + longer) / (int64_t{2} * longer)));
}

}  // namespace

void CellFitting::Size(int32_t width, int32_t height) {
  fitted_ = {width, height, Picture{width, height, {}}};
  if (width <= kCell && height <= kCell) return;
  if (width >= height) {
    reduction_.emplace(width, height, kCell, Share(height, width));
  } else {
    reduction_.emplace(width, height, Share(width, height), kCell);
  }
}

void CellFitting::Row(const uint8_t* pixels) {
  if (reduction_) return reduction_->AddRow(pixels);
  std::vector<uint8_t>& kept = fitted_.cell.pixels;
  kept.insert(kept.end(), pixels, pixels + size_t(fitted_.sourceWidth) * kPixelBytes);
}

FittedPicture CellFitting::Result() const {
  if (!reduction_) return fitted_;
  return {fitted_.sourceWidth, fitted_.sourceHeight, reduction_->Result()};
}

Sheet::Sheet(std::span<const FittedPicture> pictures)
    : pixels_(size_t{STAMP_SHEET_WIDTH} * STAMP_SHEET_HEIGHT * kPixelBytes, kWhite) {
  const RasterView sheet = view();
  const size_t cells = std::min(pictures.size(), size_t{kSheetCells});
  for (size_t k = 0; k < cells; ++k) {
    const Picture& cell = pictures[k].cell;
    const int32_t left =
        static_cast<int32_t>(k % STAMP_SHEET_COLUMNS) * kCell + (kCell - cell.width) / 2;
    const int32_t top =
        static_cast<int32_t>(k / STAMP_SHEET_COLUMNS) * kCell + (kCell - cell.height) / 2;
    const size_t rowBytes = static_cast<size_t>(cell.width) * kPixelBytes;
    for (int32_t y = 0; y < cell.height; ++y) {
      std::memcpy(sheet.pixel(left, top + y),
                  cell.pixels.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
    }
  }
}

std::vector<uint8_t> Sheet::EncodeBmp() {
  const RasterView raster = view();
  return platform::EncodeBmp24(raster.bytes, raster.width, raster.height);
}

std::string DescribeCell(int32_t cell, const std::string& name, const FittedPicture& picture) {
  return "cell " + std::to_string(cell) + ": " + name + " (" + std::to_string(picture.sourceWidth) +
         "x" + std::to_string(picture.sourceHeight) + ", shown " +
         std::to_string(picture.cell.width) + "x" + std::to_string(picture.cell.height) + ")";
}

}  // namespace stamp::host
