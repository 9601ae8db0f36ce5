#include "files/files_fixture.h"

#include "platform/testing/platform_testing.h"
#include "src/core/module_state.h"
#include "src/files/panel_image.h"
#include "src/files/stamp_sheet.h"

namespace stamp::test {
namespace {

bool InCellArea(int32_t x, int32_t y) {
  return x >= kCellAreaX && x < kCellAreaX + kCellColumns * kCellSize && y >= kCellAreaY &&
         y < kCellAreaY + kCellRows * kCellSize;
}

}  // namespace

void FilesTest::SetUp() {
  ui.Install();
  std::filesystem::create_directories(folder / "plugin");
  panelFile = PatternPicture(kPanelImageWidth, kPanelImageHeight, 17);
  ASSERT_TRUE(WriteBmp24(folder / "plugin" / "kvo_stamp.dat", panelFile));
  host.setHostDirectory(folder.path());
  Module() = ModuleState{};
  Module().host = HostContext(host.record());
}

void FilesTest::TearDown() {
  ReleaseStampSheet();
  if (Module().panel.context != 0) ReleasePanelImage(Module().panel);
  plat_fault_clear();
  liveObjects.ExpectAllReleased();
  HostTest::TearDown();
}

std::u16string FilesTest::PanelPath() const {
  return WindowsPath(folder / "plugin" / "kvo_stamp.dat");
}

Rgb FilesTest::PanelPixel(int32_t x, int32_t y) const {
  const uint8_t* p =
      Module().panel.pixels + ((kPanelImageHeight - 1 - y) * kPanelImageWidth + x) * 3;
  return {p[2], p[1], p[0]};
}

::testing::AssertionResult FilesTest::RegionMatches(Region region, const Raster& picture,
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

::testing::AssertionResult FilesTest::OutsideCellsMatchPanelFile() const {
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
