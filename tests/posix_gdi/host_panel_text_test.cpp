#include <gtest/gtest.h>

#include "stamp/host_record.h"
#include "stamp/platform.h"
#include "support/test_host.h"

namespace stamp::test {
namespace {

class HostPanelText : public HostTest {
 protected:
  PlatHandle panelDC() const { return static_cast<PlatHandle>(host.getInt(STAMP_REC_PANEL_DC)); }
  // Raster pixel (x, y), y counted from the top: the raster stores its last row first.
  const uint8_t* Pixel(int32_t x, int32_t y) const {
    return host.buffer(STAMP_REC_PANEL_BUFFER) +
           3 * (x + STAMP_PANEL_WIDTH * (STAMP_PANEL_HEIGHT - 1 - y));
  }
  bool IsColor(int32_t x, int32_t y, uint8_t blue, uint8_t green, uint8_t red) const {
    const uint8_t* p = Pixel(x, y);
    return p[0] == blue && p[1] == green && p[2] == red;
  }
};

// The angle's rectangle on the panel: left 45, top 820, right 80, bottom 833 of the raster. The
// host's panelDC keeps its default font (12 high) and opaque white background.
TEST_F(HostPanelText, PanelContextDrawsIntoTheRasterBottomUp) {
  plat_set_text_color(panelDC(), 0x0000FF);
  const PlatRect rect{45, 820, 80, 833};
  ASSERT_EQ(plat_draw_text(panelDC(), u"7", -1, &rect, 0), 12);
  // The 7's top bar lies two rows into the cell, columns 45 to 49; its stem ends at row 828.
  for (int32_t x = 45; x < 50; ++x) EXPECT_TRUE(IsColor(x, 822, 0, 0, 255)) << x;
  EXPECT_TRUE(IsColor(46, 828, 0, 0, 255));
  EXPECT_TRUE(IsColor(50, 822, 255, 255, 255));  // the gap column is background
  EXPECT_TRUE(IsColor(45, 820, 255, 255, 255));
  EXPECT_TRUE(IsColor(50, 831, 255, 255, 255));  // the cell's last row
  // Outside the single cell the raster keeps its black.
  EXPECT_TRUE(IsColor(51, 822, 0, 0, 0));
  EXPECT_TRUE(IsColor(45, 819, 0, 0, 0));
  EXPECT_TRUE(IsColor(45, 832, 0, 0, 0));
  EXPECT_TRUE(IsColor(44, 822, 0, 0, 0));
}

}  // namespace
}  // namespace stamp::test
