#include "host/output/sheet_preview.h"

#include <algorithm>
#include <string>

#include "host/output/centred_text.h"
#include "host/output/host_drawing.h"
#include "host/output/png_writer.h"
#include "host/record/context_pair.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr int32_t kCell = STAMP_CELL_SIZE;
constexpr int32_t kColumns = STAMP_SHEET_COLUMNS;
constexpr int32_t kRows = STAMP_SHEET_ROWS;
constexpr int32_t kScale = 2;
constexpr int32_t kShown = kCell * kScale;
constexpr int32_t kGap = 12;
constexpr int32_t kLabel = 16;
constexpr int32_t kWidth = kGap + kColumns * (kShown + kGap);
constexpr int32_t kHeight = kGap + kRows * (kShown + kLabel + kGap);
static_assert(kWidth == kSheetPreviewWidth && kHeight == kSheetPreviewHeight);
static_assert(kWidth * 3 % 4 == 0, "the DIB section's rows are the raster's rows");
constexpr TextStyle kLabelStyle{12, 0x000000, PLAT_TRANSPARENT};

constexpr uint32_t kHatchLight = 0xD0D0D0;
constexpr uint32_t kHatchDark = 0xA8A8A8;

// Sheet pixel (x, y) as 0x00RRGGBB, or the hatch where the sheet has no pixel.
uint32_t SheetColor(const platform::DecodedBmp& sheet, int32_t x, int32_t y) {
  if (x >= sheet.format.width || y >= sheet.format.height) {
    return ((x + y) / 3) % 2 == 0 ? kHatchLight : kHatchDark;
  }
  const uint8_t* p = &sheet.pixels[(size_t(y) * size_t(sheet.format.width) + size_t(x)) * 3];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void DrawCell(const RasterView& raster, const platform::DecodedBmp& sheet, int32_t cell,
              PlatHandle dc) {
  const int32_t left = kGap + (cell % kColumns) * (kShown + kGap);
  const int32_t top = kGap + (cell / kColumns) * (kShown + kLabel + kGap);
  FillRect(raster, left - 1, top - 1, kShown + 2, kShown + 2, kFrameColor);
  for (int32_t y = 0; y < kShown; ++y) {
    for (int32_t x = 0; x < kShown; ++x) {
      const int32_t sheetX = (cell % kColumns) * kCell + x / kScale;
      const int32_t sheetY = (cell / kColumns) * kCell + y / kScale;
      PutColor(raster, left + x, top + y, SheetColor(sheet, sheetX, sheetY));
    }
  }
  const std::string digits = std::to_string(cell);
  const std::u16string number(digits.begin(), digits.end());
  const PlatRect box{left, top + kShown + 2, left + kShown, top + kShown + 2 + kLabel};
  DrawCentredText(dc, number, box);
}

// The drawn preview's pixels as the PNG writer takes them.
Picture24 PreviewPicture(const std::vector<uint8_t>& pixels) {
  return {kWidth, kHeight, pixels, size_t{kWidth} * 3, ChannelOrder::kBgr, true};
}

}  // namespace

Result<std::vector<uint8_t>> DrawSheetPreview(const platform::DecodedBmp& sheet) {
  // Drawn in a DIB section's memory, which every system's contexts draw text into.
  ContextPair context;
  uint8_t* memory = nullptr;
  try {
    context = ContextPair::OverDibSection(kWidth, kHeight, &memory, kLabelStyle);
  } catch (const std::exception& failure) {
    return Failure{failure.what()};
  }
  const RasterView raster{memory, kWidth, kHeight};
  FillRect(raster, 0, 0, kWidth, kHeight, kPanelBackground);
  for (int32_t cell = 0; cell < kColumns * kRows; ++cell)
    DrawCell(raster, sheet, cell, context.dc());
  return std::vector<uint8_t>(memory, memory + raster.byteSize());
}

Status WriteSheetPreview(const platform::DecodedBmp& sheet, const std::filesystem::path& path) {
  const Result<std::vector<uint8_t>> pixels = DrawSheetPreview(sheet);
  STAMP_TRY(pixels);
  return WritePng(path, PreviewPicture(*pixels));
}

Result<std::vector<uint8_t>> EncodeSheetPreview(const platform::DecodedBmp& sheet) {
  const Result<std::vector<uint8_t>> pixels = DrawSheetPreview(sheet);
  STAMP_TRY(pixels);
  return EncodePng(PreviewPicture(*pixels));
}

}  // namespace stamp::host
