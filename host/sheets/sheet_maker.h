// Stamp sheets made from pictures. Each picture is fitted into a 30 x 30 cell with its aspect
// kept: its longer side becomes 30 pixels and its shorter one the same share of 30, rounded to
// the nearest pixel (at least 1), by the exact area-average reduction; a picture no larger than a
// cell keeps its size, since a reduction cannot enlarge. It lies centred in its cell on white.
// The pictures fill the cells row by row, four to a row; cells without a picture stay white.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/picture/picture_reader.h"
#include "host/record/raster_view.h"
#include "host/sheets/area_reduction.h"
#include "stamp/plugin.h"

namespace stamp::host {

inline constexpr int32_t kSheetCells = STAMP_SHEET_COLUMNS * STAMP_SHEET_ROWS;

// A picture made ready for a cell: its size as read, and its reduced pixels (at most 30 x 30).
struct FittedPicture {
  int32_t sourceWidth = 0;
  int32_t sourceHeight = 0;
  Picture cell;
};

// A picture fitted to its cell as its rows arrive (picture_reader.h): a larger picture is
// reduced row by row, so only a row of it is held at a time.
class CellFitting final : public PictureRows {
 public:
  void Size(int32_t width, int32_t height) override;
  void Row(const uint8_t* pixels) override;
  // Once every row has arrived.
  FittedPicture Result() const;

 private:
  FittedPicture fitted_;
  std::optional<AreaReduction> reduction_;  // when the picture is larger than a cell
};

// A 120 x 90 sheet in the record's layout (RasterView), as a 24-bit BMP stores its rows.
class Sheet {
 public:
  // White, with pictures[k] centred in cell k; at most kSheetCells pictures.
  explicit Sheet(std::span<const FittedPicture> pictures);

  RasterView view() { return {pixels_.data(), STAMP_SHEET_WIDTH, STAMP_SHEET_HEIGHT}; }
  // The sheet as a 24-bit BMP file, which the tool loads.
  std::vector<uint8_t> EncodeBmp();

 private:
  std::vector<uint8_t> pixels_;
};

// "cell K: NAME (WxH, shown WxH)": where a picture went, and at what size.
std::string DescribeCell(int32_t cell, const std::string& name, const FittedPicture& picture);

}  // namespace stamp::host
