#include "images/images_fixture.h"

namespace stamp::test {
namespace {

bool InCellArea(int32_t x, int32_t y) {
  return x >= kCellArea.x && x < kCellArea.x + kCellArea.width && y >= kCellArea.y &&
         y < kCellArea.y + kCellArea.height;
}

std::filesystem::path PanelFile(const std::filesystem::path& folder) {
  return folder / STAMP_PLUGIN_FOLDER / STAMP_PANEL_IMAGE_FILE;
}

}  // namespace

void ImagesTest::SetUp() {
  std::filesystem::create_directories(folder / STAMP_PLUGIN_FOLDER);
  panelFile = PatternPicture(kPanelImageWidth, kPanelImageHeight, 17);
  ASSERT_TRUE(WriteBmp24(PanelFile(folder.path()), panelFile));
  host.setHostDirectory(folder.path());
}

void ImagesTest::TearDown() {
  ReleaseStampSheet(stampSheet);
  ReleasePanelImage(panel);
  PluginTest::TearDown();
}

std::u16string ImagesTest::PanelPath() const { return WindowsPath(PanelFile(folder.path())); }

Rgb ImagesTest::PanelPixel(int32_t x, int32_t y) const {
  const uint8_t* p =
      panel.pixels + ((kPanelImageHeight - 1 - y) * kPanelImageWidth + x) * 3;
  return {p[2], p[1], p[0]};
}

::testing::AssertionResult ImagesTest::RegionMatches(Region region, const Raster& picture,
                                                    int32_t pictureX, int32_t pictureY) const {
  for (int32_t y = region.y; y < region.y + region.height; ++y) {
    for (int32_t x = region.x; x < region.x + region.width; ++x) {
      if (!(PanelPixel(x, y) == picture.At(x - region.x + pictureX, y - region.y + pictureY))) {
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ImagesTest::OutsideCellsMatchPanelFile() const {
  for (int32_t y = 0; y < kPanelImageHeight; ++y) {
    for (int32_t x = 0; x < kPanelImageWidth; ++x) {
      if (!InCellArea(x, y) && !(PanelPixel(x, y) == panelFile.At(x, y))) {
        return ::testing::AssertionFailure() << "panel changed at (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace stamp::test
