// The PanelImage made from the panel file and the stamp sheet drawn over its cell area, on a host
// record whose hostDirectory is a fresh folder holding a panel file of known pixels. The
// PanelImage's memory holds the file's pixels bottom-up; an attempt that cannot give 24-bit
// memory fails without leaving anything behind. A sheet contributes its top-left to the cells, a
// second load replaces them, and a failed load keeps them and releases what it should. Each test
// ends with the stamp sheet and the PanelImage released.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/testing/platform_testing.h"
#include "src/core/host_context.h"
#include "src/images/panel_image.h"
#include "src/images/stamp_sheet.h"
#include "support/bmp_writer.h"
#include "support/plugin_test.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

bool InCellArea(int32_t x, int32_t y) {
  return x >= kCellArea.x && x < kCellArea.x + kCellArea.width && y >= kCellArea.y &&
         y < kCellArea.y + kCellArea.height;
}

// A sheet of the size the cells take, whose pixels differ with seed.
Raster Sheet(uint8_t seed) { return PatternPicture(STAMP_SHEET_WIDTH, STAMP_SHEET_HEIGHT, seed); }

class ImagesTest : public PluginTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / STAMP_PLUGIN_FOLDER);
    ASSERT_TRUE(WriteBmp24(folder / STAMP_PLUGIN_FOLDER / STAMP_PANEL_IMAGE_FILE, panelFile));
    host.setHostDirectory(folder.path());
  }
  void TearDown() override {
    ReleaseStampSheet(stampSheet);
    ReleasePanelImage(panel);
    PluginTest::TearDown();
  }

  // Writes picture as a 24-bit BMP into the test's folder; gives its path in backslash form.
  std::u16string WriteSheet(const std::string& name, const Raster& picture) const {
    return test::WriteSheet(folder / name, picture);
  }
  std::u16string PanelPath() const {
    return WindowsPath(folder / STAMP_PLUGIN_FOLDER / STAMP_PANEL_IMAGE_FILE);
  }
  // Pixel (x, y), top-down, of the PanelImage.
  Rgb PanelPixel(int32_t x, int32_t y) const {
    const uint8_t* p = panel.pixels + ((kPanelImageHeight - 1 - y) * kPanelImageWidth + x) * 3;
    return {p[2], p[1], p[0]};
  }
  // True when every pixel of the region of the PanelImage equals the picture's pixel at the same
  // place relative to (pictureX, pictureY); reports the first difference otherwise.
  ::testing::AssertionResult RegionMatches(Region region, const Raster& picture, int32_t pictureX,
                                           int32_t pictureY) const {
    for (int32_t y = region.y; y < region.y + region.height; ++y) {
      for (int32_t x = region.x; x < region.x + region.width; ++x) {
        if (!(PanelPixel(x, y) == picture.At(x - region.x + pictureX, y - region.y + pictureY))) {
          return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  // The cells show the panel file's own cell area.
  ::testing::AssertionResult CellsArePanelFiles() const {
    return RegionMatches(kCellArea, panelFile, kCellArea.x, kCellArea.y);
  }
  // The PanelImage outside the cell area equals the panel file.
  ::testing::AssertionResult OutsideCellsMatchPanelFile() const {
    for (int32_t y = 0; y < kPanelImageHeight; ++y) {
      for (int32_t x = 0; x < kPanelImageWidth; ++x) {
        if (!InCellArea(x, y) && !(PanelPixel(x, y) == panelFile.At(x, y))) {
          return ::testing::AssertionFailure() << "panel changed at (" << x << ", " << y << ")";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  const TempFolder folder;
  const Raster panelFile = PatternPicture(kPanelImageWidth, kPanelImageHeight, 17);
  HostContext context{host.record()};
  PanelImage panel;
  StampSheet stampSheet;
};

using PanelImageTest = ImagesTest;

TEST_F(PanelImageTest, HoldsThePanelFilePixelForPixel) {
  ASSERT_TRUE(CreatePanelImage(PanelPath(), context, panel));
  ASSERT_NE(panel.pixels, nullptr);
  EXPECT_TRUE(RegionMatches({0, 0, kPanelImageWidth, kPanelImageHeight}, panelFile, 0, 0));
  EXPECT_EQ(ui.messages(), Texts{});
}

TEST_F(PanelImageTest, ReleaseGivesBackEveryObject) {
  ASSERT_TRUE(CreatePanelImage(PanelPath(), context, panel));
  ReleasePanelImage(panel);
  liveObjects.ExpectAllReleased();
  EXPECT_EQ(panel.pixels, nullptr);
}

// A canvasDC holding its stock monochrome bitmap would give 1-bit panel memory, far smaller than
// the 24-bit raster the pixel code works on.
TEST_F(PanelImageTest, CanvasFormatOtherThanTwentyFourBitsIsRefused) {
  const PlatHandle monochrome = plat_create_compatible_dc(0);
  host.setInt(STAMP_REC_CANVAS_DC, static_cast<int32_t>(monochrome));
  EXPECT_FALSE(CreatePanelImage(PanelPath(), context, panel));
  EXPECT_EQ(ui.messages(), Texts{u"Stamp:memory allocation error"});
  EXPECT_EQ(panel.context, 0u);
  EXPECT_EQ(panel.pixels, nullptr);
  plat_delete_dc(monochrome);
}

class StampSheetTest : public ImagesTest {
 protected:
  void SetUp() override {
    ImagesTest::SetUp();
    ASSERT_TRUE(CreatePanelImage(PanelPath(), context, panel));
    panelObjects = plat_live_object_count();
  }
  void Load(const std::u16string& path) { LoadStampSheet(path, panel, stampSheet); }

  int32_t panelObjects = 0;
};

struct SheetSize {
  int width;
  int height;
};

class SheetSizeTest : public StampSheetTest, public ::testing::WithParamInterface<SheetSize> {};

TEST_P(SheetSizeTest, TopLeftFillsTheCellsAndNothingElse) {
  const Raster sheet = PatternPicture(GetParam().width, GetParam().height, 99);
  Load(WriteSheet("sheet.bmp", sheet));
  EXPECT_TRUE(stampSheet.loaded());
  EXPECT_TRUE(RegionMatches(kCellArea, sheet, 0, 0));
  EXPECT_TRUE(OutsideCellsMatchPanelFile());
  EXPECT_EQ(ui.messages(), Texts{});
}

INSTANTIATE_TEST_SUITE_P(Sizes, SheetSizeTest,
                         ::testing::Values(SheetSize{120, 90}, SheetSize{121, 91},
                                           SheetSize{400, 300}));

TEST_F(StampSheetTest, SecondSheetReplacesEveryCellAndReleasesTheFirst) {
  Load(WriteSheet("first.bmp", Sheet(1)));
  const int32_t oneSheet = plat_live_object_count();
  const Raster second = Sheet(200);
  Load(WriteSheet("second.bmp", second));
  EXPECT_TRUE(stampSheet.loaded());
  EXPECT_TRUE(RegionMatches(kCellArea, second, 0, 0));
  EXPECT_EQ(plat_live_object_count(), oneSheet);
}

TEST_F(StampSheetTest, FailedLoadKeepsTheCellsButNoLongerCountsAsLoaded) {
  const Raster first = Sheet(1);
  Load(WriteSheet("first.bmp", first));
  Load(WindowsPath(folder / "missing.bmp"));
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(RegionMatches(kCellArea, first, 0, 0));
  EXPECT_EQ(plat_live_object_count(), panelObjects) << "the first sheet was not released";
}

TEST_F(StampSheetTest, UnreadableSheetIsReportedLikeAMissingOne) {
  plat_fault_inject(PLAT_FAULT_BMP_LOAD, 0);
  Load(WriteSheet("sheet.bmp", Sheet(1)));
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(CellsArePanelFiles());
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

TEST_F(StampSheetTest, EmptyPathLoadsNothingAndKeepsALoadedSheet) {
  Load(u"");
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_TRUE(CellsArePanelFiles());

  const Raster sheet = Sheet(1);
  Load(WriteSheet("sheet.bmp", sheet));
  const int32_t oneSheet = plat_live_object_count();
  Load(u"");
  EXPECT_TRUE(stampSheet.loaded());
  EXPECT_EQ(plat_live_object_count(), oneSheet);
  EXPECT_EQ(ui.messages(), Texts{});
}

TEST_F(StampSheetTest, ReleaseGivesBackTheSheetObjectsOnce) {
  Load(WriteSheet("sheet.bmp", Sheet(1)));
  ReleaseStampSheet(stampSheet);
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(plat_live_object_count(), panelObjects);
  ReleaseStampSheet(stampSheet);
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

}  // namespace
}  // namespace stamp::test
