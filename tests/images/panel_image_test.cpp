// The PanelImage made from the panel file: its memory holds the file's pixels bottom-up, and an
// attempt that cannot give 24-bit memory fails without leaving anything behind.
#include <gtest/gtest.h>

#include "images/images_fixture.h"
#include "src/images/panel_image.h"

namespace stamp::test {
namespace {

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

}  // namespace
}  // namespace stamp::test
