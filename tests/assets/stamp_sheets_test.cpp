// The sample stamp sheets: each a 120x90 BMP of twelve distinct shapes on white, and the build
// puts exactly the committed files beside the host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "bmp_file.h"
#include "stamp/plugin.h"

namespace stamp::assets_test {
namespace {

namespace fs = std::filesystem;

constexpr int kCellSize = 30;
constexpr int kColumns = 4;
constexpr int kCells = 12;
constexpr int kMinimumSheets = 3;
// Enough ink to read as a shape, and enough change to read as another one.
constexpr int kMinimumInkPixels = 20;
constexpr int kMinimumDifferentPixels = 30;
constexpr int kClearlyDifferent = 48;

std::vector<fs::path> SheetFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(STAMP_ASSETS_DIR "/stamp")) {
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The 30x30 pixels of cell k, row by row.
std::vector<Rgb> Cell(const Raster& sheet, int k) {
  std::vector<Rgb> cell;
  for (int y = 0; y < kCellSize; ++y) {
    for (int x = 0; x < kCellSize; ++x) {
      cell.push_back(sheet.At(kCellSize * (k % kColumns) + x, kCellSize * (k / kColumns) + y));
    }
  }
  return cell;
}

bool OnBorder(size_t index) {
  const size_t x = index % kCellSize;
  const size_t y = index / kCellSize;
  return x == 0 || y == 0 || x == kCellSize - 1 || y == kCellSize - 1;
}

int ClearlyDifferentPixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
  int count = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    const int most = std::max({std::abs(a[i].red - b[i].red), std::abs(a[i].green - b[i].green),
                               std::abs(a[i].blue - b[i].blue)});
    count += most > kClearlyDifferent ? 1 : 0;
  }
  return count;
}

TEST(StampSheetFilesTest, AtLeastThreeSheetsShip) {
  EXPECT_GE(SheetFiles().size(), static_cast<size_t>(kMinimumSheets));
}

TEST(StampSheetFilesTest, HostFolderHoldsTheCommittedFiles) {
  const fs::path host = STAMP_HOST_DIR;
  EXPECT_EQ(ReadBytes(host / STAMP_PLUGIN_FOLDER / STAMP_PANEL_IMAGE_FILE),
            ReadBytes(STAMP_ASSETS_DIR "/" STAMP_PANEL_IMAGE_FILE));
  for (const fs::path& sheet : SheetFiles()) {
    EXPECT_EQ(ReadBytes(host / STAMP_SHEET_FOLDER / sheet.filename()), ReadBytes(sheet)) << sheet;
  }
}

class StampSheetTest : public ::testing::TestWithParam<fs::path> {
 protected:
  void SetUp() override {
    std::string error;
    auto parsed = ParseBmp24(ReadBytes(GetParam()), error);
    ASSERT_TRUE(parsed) << GetParam() << ": " << error;
    sheet = *parsed;
    ASSERT_EQ(sheet.width(), 120);
    ASSERT_EQ(sheet.height(), 90);
  }

  Raster sheet{0, 0};
};

TEST_P(StampSheetTest, EveryCellIsInkOnAWhiteBorder) {
  for (int k = 0; k < kCells; ++k) {
    const std::vector<Rgb> cell = Cell(sheet, k);
    int ink = 0;
    for (size_t i = 0; i < cell.size(); ++i) {
      ink += IsDark(cell[i]) ? 1 : 0;
      if (OnBorder(i)) {
        EXPECT_TRUE(IsWhite(cell[i])) << "cell " << k << ", pixel " << i;
      }
    }
    EXPECT_GE(ink, kMinimumInkPixels) << "cell " << k;
  }
}

TEST_P(StampSheetTest, TwelveDifferentCells) {
  for (int a = 0; a < kCells; ++a) {
    for (int b = a + 1; b < kCells; ++b) {
      EXPECT_GE(ClearlyDifferentPixels(Cell(sheet, a), Cell(sheet, b)), kMinimumDifferentPixels)
          << "cells " << a << " and " << b;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Committed, StampSheetTest, ::testing::ValuesIn(SheetFiles()),
                         [](const auto& info) { return info.param.stem().string(); });

}  // namespace
}  // namespace stamp::assets_test
