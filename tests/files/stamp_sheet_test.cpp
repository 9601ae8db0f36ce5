// The stamp sheet drawn over the cell area of the PanelImage: what a sheet contributes, what a
// second load replaces, and what a failed load keeps and releases.
#include <gtest/gtest.h>

#include "files/files_fixture.h"
#include "platform/testing/platform_testing.h"
#include "src/core/module_state.h"
#include "src/files/panel_image.h"
#include "src/files/stamp_sheet.h"

namespace stamp::test {
namespace {

constexpr Region kCells{kCellAreaX, kCellAreaY, kCellColumns* kCellSize, kCellRows* kCellSize};

class StampSheetTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ASSERT_TRUE(CreatePanelImage(PanelPath(), Module().host, Module().panel));
    panelObjects = plat_live_object_count();
  }
  void Load(const std::u16string& path) {
    Module().stampPath = path;
    LoadStampSheet();
  }

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
  EXPECT_TRUE(Module().stampLoaded);
  EXPECT_TRUE(RegionMatches(kCells, sheet, 0, 0));
  EXPECT_TRUE(OutsideCellsMatchPanelFile());
  EXPECT_EQ(ui.messages(), Texts{});
}

INSTANTIATE_TEST_SUITE_P(Sizes, SheetSizeTest,
                         ::testing::Values(SheetSize{120, 90}, SheetSize{121, 91},
                                           SheetSize{400, 300}));

TEST_F(StampSheetTest, SecondSheetReplacesEveryCellAndReleasesTheFirst) {
  Load(WriteSheet("first.bmp", PatternPicture(120, 90, 1)));
  const int32_t oneSheet = plat_live_object_count();
  const Raster second = PatternPicture(120, 90, 200);
  Load(WriteSheet("second.bmp", second));
  EXPECT_TRUE(Module().stampLoaded);
  EXPECT_TRUE(RegionMatches(kCells, second, 0, 0));
  EXPECT_EQ(plat_live_object_count(), oneSheet);
}

TEST_F(StampSheetTest, FailedLoadKeepsTheCellsButNoLongerCountsAsLoaded) {
  const Raster first = PatternPicture(120, 90, 1);
  Load(WriteSheet("first.bmp", first));
  Load(WindowsPath(folder / "missing.bmp"));
  EXPECT_FALSE(Module().stampLoaded);
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(RegionMatches(kCells, first, 0, 0));
  EXPECT_EQ(plat_live_object_count(), panelObjects) << "the first sheet was not released";
}

TEST_F(StampSheetTest, UnreadableSheetIsReportedLikeAMissingOne) {
  plat_fault_inject(PLAT_FAULT_BMP_LOAD, 0);
  Load(WriteSheet("sheet.bmp", PatternPicture(120, 90, 1)));
  EXPECT_FALSE(Module().stampLoaded);
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(RegionMatches(kCells, panelFile, kCellAreaX, kCellAreaY));
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

TEST_F(StampSheetTest, EmptyPathLoadsNothingAndKeepsALoadedSheet) {
  Load(u"");
  EXPECT_FALSE(Module().stampLoaded);
  EXPECT_TRUE(RegionMatches(kCells, panelFile, kCellAreaX, kCellAreaY));

  const Raster sheet = PatternPicture(120, 90, 1);
  Load(WriteSheet("sheet.bmp", sheet));
  const int32_t oneSheet = plat_live_object_count();
  Load(u"");
  EXPECT_TRUE(Module().stampLoaded);
  EXPECT_EQ(plat_live_object_count(), oneSheet);
  EXPECT_EQ(ui.messages(), Texts{});
}

TEST_F(StampSheetTest, ReleaseGivesBackTheSheetObjectsOnce) {
  Load(WriteSheet("sheet.bmp", PatternPicture(120, 90, 1)));
  ReleaseStampSheet();
  EXPECT_FALSE(Module().stampLoaded);
  EXPECT_EQ(plat_live_object_count(), panelObjects);
  ReleaseStampSheet();
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

}  // namespace
}  // namespace stamp::test
