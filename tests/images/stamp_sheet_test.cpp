// The stamp sheet drawn over the cell area of the PanelImage: what a sheet contributes, what a
// second load replaces, and what a failed load keeps and releases.
#include <gtest/gtest.h>

#include "images/images_fixture.h"
#include "platform/testing/platform_testing.h"
#include "src/images/panel_image.h"
#include "src/images/stamp_sheet.h"

namespace stamp::test {
namespace {


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
  Load(WriteSheet("first.bmp", PatternPicture(120, 90, 1)));
  const int32_t oneSheet = plat_live_object_count();
  const Raster second = PatternPicture(120, 90, 200);
  Load(WriteSheet("second.bmp", second));
  EXPECT_TRUE(stampSheet.loaded());
  EXPECT_TRUE(RegionMatches(kCellArea, second, 0, 0));
  EXPECT_EQ(plat_live_object_count(), oneSheet);
}

TEST_F(StampSheetTest, FailedLoadKeepsTheCellsButNoLongerCountsAsLoaded) {
  const Raster first = PatternPicture(120, 90, 1);
  Load(WriteSheet("first.bmp", first));
  Load(WindowsPath(folder / "missing.bmp"));
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(RegionMatches(kCellArea, first, 0, 0));
  EXPECT_EQ(plat_live_object_count(), panelObjects) << "the first sheet was not released";
}

TEST_F(StampSheetTest, UnreadableSheetIsReportedLikeAMissingOne) {
  plat_fault_inject(PLAT_FAULT_BMP_LOAD, 0);
  Load(WriteSheet("sheet.bmp", PatternPicture(120, 90, 1)));
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_TRUE(RegionMatches(kCellArea, panelFile, kCellArea.x, kCellArea.y));
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

TEST_F(StampSheetTest, EmptyPathLoadsNothingAndKeepsALoadedSheet) {
  Load(u"");
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_TRUE(RegionMatches(kCellArea, panelFile, kCellArea.x, kCellArea.y));

  const Raster sheet = PatternPicture(120, 90, 1);
  Load(WriteSheet("sheet.bmp", sheet));
  const int32_t oneSheet = plat_live_object_count();
  Load(u"");
  EXPECT_TRUE(stampSheet.loaded());
  EXPECT_EQ(plat_live_object_count(), oneSheet);
  EXPECT_EQ(ui.messages(), Texts{});
}

TEST_F(StampSheetTest, ReleaseGivesBackTheSheetObjectsOnce) {
  Load(WriteSheet("sheet.bmp", PatternPicture(120, 90, 1)));
  ReleaseStampSheet(stampSheet);
  EXPECT_FALSE(stampSheet.loaded());
  EXPECT_EQ(plat_live_object_count(), panelObjects);
  ReleaseStampSheet(stampSheet);
  EXPECT_EQ(plat_live_object_count(), panelObjects);
}

}  // namespace
}  // namespace stamp::test
