// One user's session through the exports of the built module, with the scripted UI: choose a
// sample sheet in the load dialog, pick a cell, reduce, turn the dial by dragging, and see each
// change on the panel raster the way the host shows it (restored, then drawn by the module).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/testing/platform_testing.h"
#include "plugin/module_fixture.h"
#include "stamp/platform_host.h"

namespace stamp::test {
namespace {

constexpr int32_t kListId = STAMP_LOAD_DIALOG_LIST;
constexpr int64_t kWidth = STAMP_PANEL_WIDTH;
constexpr int64_t kHeight = STAMP_PANEL_HEIGHT;
constexpr uint8_t kHostGrey = 0xC0;
constexpr PlatRect kAngleText = {45, 820, 80, 833};
constexpr PlatRect kReductionText = {55, 738, 90, 750};

struct Box {
  int64_t left, top, right, bottom;  // inclusive
};

int64_t At(int64_t x, int64_t y) { return ((kHeight - 1 - y) * kWidth + x) * 3; }

bool Differs(const Bytes& a, const Bytes& b, const Box& box) {
  for (int64_t y = box.top; y <= box.bottom; ++y) {
    if (std::memcmp(&a[At(box.left, y)], &b[At(box.left, y)], (box.right - box.left + 1) * 3)) {
      return true;
    }
  }
  return false;
}

// Raster b equals a inside the grid except in the given cells (by number).
bool GridDiffersOnlyIn(const Bytes& a, const Bytes& b, std::initializer_list<int32_t> cells) {
  for (int32_t cell = 0; cell < 12; ++cell) {
    const Box box{110 + 30 * (cell % 4), 740 + 30 * (cell / 4), 139 + 30 * (cell % 4),
                  769 + 30 * (cell / 4)};
    const bool listed = std::find(cells.begin(), cells.end(), cell) != cells.end();
    if (Differs(a, b, box) != listed) return false;
  }
  return true;
}

// Whether the raster shows the text at the rectangle: drawing it there once more, as the panel's
// context draws it, changes nothing.
bool Shows(const Bytes& raster, const PlatRect& rect, const std::u16string& text) {
  Bytes copy = raster;
  const PlatHandle bitmap = plat_create_bitmap_over_raster(kWidth, kHeight, copy.data());
  const PlatHandle dc = plat_create_compatible_dc(0);
  const PlatHandle previous = plat_select_object(dc, bitmap);
  plat_draw_text(dc, text.c_str(), static_cast<int32_t>(text.size()), &rect, 0);
  plat_select_object(dc, previous);
  plat_delete_object(bitmap);
  plat_delete_dc(dc);
  return copy == raster;
}

class ModuleSessionTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    plat_set_program_path((HostFolder() / "stamp-host").c_str());
    ASSERT_EQ(Start(), 1);
  }
  void TearDown() override {
    ModuleTest::TearDown();
    plat_set_program_path(nullptr);
  }
  // The host restores its panel area and has the module draw the panel.
  Bytes Shown() { return DrawnPanel(kHostGrey); }
};

TEST_F(ModuleSessionTest, SheetCellReductionAndDialShowOnThePanel) {
  const Bytes empty = Shown();
  EXPECT_TRUE(Shows(empty, kAngleText, u"0"));
  EXPECT_TRUE(Shows(empty, kReductionText, u"30"));

  ui.QueueSelect(kListId, 0);
  ui.QueueOk();
  EXPECT_EQ(plugin.submenuUp(205, 105), 2);
  ASSERT_EQ(ui.dialogRuns().size(), 1u);
  ASSERT_EQ(ui.dialogRuns()[0].result, PLAT_IDOK);
  const Bytes withSheet = Shown();
  EXPECT_TRUE(GridDiffersOnlyIn(empty, withSheet, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));

  EXPECT_EQ(plugin.submenuUp(145, 45), 2);
  const Bytes cellFive = Shown();
  EXPECT_TRUE(GridDiffersOnlyIn(withSheet, cellFive, {0, 5})) << "the marker moves to cell 5";
  EXPECT_TRUE(Differs(withSheet, cellFive, {54, 769, 95, 810})) << "the dial shows cell 5";

  EXPECT_EQ(plugin.submenuUp(95, 105), 2);
  const Bytes reduced = Shown();
  EXPECT_TRUE(Shows(reduced, kReductionText, u"29"));
  EXPECT_FALSE(Shows(reduced, kReductionText, u"30"));
  EXPECT_TRUE(Differs(cellFive, reduced, {54, 769, 95, 810})) << "the dial shows the smaller cell";

  EXPECT_EQ(plugin.submenuDown(75, 30), 2);
  EXPECT_EQ(plugin.submenuMove(106, 60), 2);
  EXPECT_EQ(plugin.submenuMove(150, 60), 0);
  EXPECT_EQ(plugin.submenuMove(85, 70), 2);
  const Bytes turning = Shown();
  EXPECT_TRUE(Shows(turning, kAngleText, u"135"));
  EXPECT_TRUE(Differs(reduced, turning, {54, 769, 95, 810})) << "the dial shows the turned cell";
  EXPECT_EQ(plugin.submenuUp(41, 60), 2);
  const Bytes turned = Shown();
  EXPECT_TRUE(Shows(turned, kAngleText, u"-90"));
  EXPECT_FALSE(Shows(turned, kAngleText, u"135"));
  EXPECT_TRUE(GridDiffersOnlyIn(reduced, turned, {}));
  EXPECT_EQ(plugin.submenuMove(106, 60), 0) << "the pen-up ended the drag";
  EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace stamp::test
