#include "reliability/module_fixture.h"

#include <cstring>

#include "src/resources/load_dialog_template.h"
#include "stamp/plugin.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

constexpr char16_t kSection[] = u"plugin_kvo_stamp";
// A pen-up on the file button, below the cell grid.
constexpr int32_t kFileButtonX = 200;
constexpr int32_t kFileButtonY = 105;
constexpr int32_t kStrokeX = 40;
constexpr int32_t kStrokeY = 40;

}  // namespace

void ModuleTest::SetUp() {
  ui.Install();
}

void ModuleTest::TearDown() {
  plugin.destroy();
  plat_fault_clear();
  EXPECT_EQ(plat_live_object_count(), liveObjects) << "a platform object leaked";
  HostTest::TearDown();
}

void ModuleTest::StoreSheetPath(const std::u16string& path) {
  ASSERT_EQ(plat_profile_write_string(host.app(), kSection, u"file", path.c_str()), 1);
}

std::u16string ModuleTest::WriteSheet(const std::string& name, uint8_t seed) const {
  Raster sheet(120, 90);
  for (int32_t y = 0; y < 90; ++y) {
    for (int32_t x = 0; x < 120; ++x) {
      sheet.Set(x, y, {static_cast<uint8_t>(x * 2 + seed), static_cast<uint8_t>(y * 3 + seed),
                       static_cast<uint8_t>(x + y + seed)});
    }
  }
  EXPECT_TRUE(WriteBmp24(folder / name, sheet));
  return WindowsPath(folder / name);
}

int32_t ModuleTest::LoadThroughDialog(const std::u16string& path) {
  ui.QueueType(kLoadDialogPathBox, path);
  ui.QueueOk();
  return plugin.submenuUp(kFileButtonX, kFileButtonY);
}

Bytes ModuleTest::DrawnPanel() {
  uint8_t* panel = host.buffer(STAMP_REC_PANEL_BUFFER);
  const size_t bytes = size_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;
  std::memset(panel, 0, bytes);
  plugin.updateSubmenu();
  return Bytes(panel, panel + bytes);
}

bool ModuleTest::StrokeTaken() {
  const bool taken = plugin.mouseDown(kStrokeX, kStrokeY) == STAMP_RESULT_OVERLAY_CHANGED;
  plugin.mouseUp(kStrokeX, kStrokeY);
  return taken;
}

}  // namespace stamp::test
