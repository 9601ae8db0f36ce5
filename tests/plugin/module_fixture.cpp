#include "plugin/module_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "stamp/plugin.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

constexpr int32_t kStrokeX = 40;
constexpr int32_t kStrokeY = 40;
// More than the longest file name a test stores.
constexpr int32_t kFileCapacity = 1 << 15;

}  // namespace

std::filesystem::path PluginPath() {
  return HostFolder() / STAMP_PLUGIN_FOLDER / STAMP_MODULE_FILE;
}

const PluginExports& Plugin() {
  static const host::PluginModule module(PluginPath());
  return module.exports();
}

void ModuleTest::TearDown() {
  plugin.destroy();
  PluginTest::TearDown();
}

void ModuleTest::StoreSheetPath(const std::u16string& path) {
  constexpr char16_t kFileKey[] = u"" STAMP_PROFILE_FILE_KEY;
  ASSERT_EQ(plat_profile_write_string(host.app(), kSection, kFileKey, path.c_str()), 1);
}

void PrintTo(const StoredSettings& s, std::ostream* out) {
  *out << "{" << s.select << ", " << s.degree << ", " << s.shrink << ", "
       << ::testing::PrintToString(s.file) << "}";
}

void ModuleTest::Store(const StoredSettings& s) {
  plat_profile_write_int(host.app(), kSection, u"select", s.select);
  plat_profile_write_int(host.app(), kSection, u"degree", s.degree);
  plat_profile_write_int(host.app(), kSection, u"shrink", s.shrink);
  plat_profile_write_string(host.app(), kSection, u"file", s.file.c_str());
}

StoredSettings ModuleTest::Saved() const {
  PlatApp* app = plat_app_create(host.profilePath().c_str());
  StoredSettings s;
  s.select = plat_profile_get_int(app, kSection, u"select", kAbsent);
  s.degree = plat_profile_get_int(app, kSection, u"degree", kAbsent);
  s.shrink = plat_profile_get_int(app, kSection, u"shrink", kAbsent);
  s.file.resize(kFileCapacity);
  s.file.resize(static_cast<size_t>(
      plat_profile_get_string(app, kSection, u"file", kAbsentText, s.file.data(), kFileCapacity)));
  plat_app_destroy(app);
  return s;
}

std::u16string ModuleTest::WriteSheet(const std::string& name, uint8_t seed) const {
  return test::WriteSheet(folder / name,
                          PatternPicture(STAMP_SHEET_WIDTH, STAMP_SHEET_HEIGHT, seed));
}

int32_t ModuleTest::LoadThroughDialog(const std::u16string& path) {
  ui.QueueType(STAMP_LOAD_DIALOG_PATH_BOX, path);
  ui.QueueOk();
  return plugin.submenuUp(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y);
}

Bytes ModuleTest::DrawnPanel(uint8_t background) {
  uint8_t* panel = host.buffer(STAMP_REC_PANEL_BUFFER);
  const size_t bytes = size_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;
  std::memset(panel, background, bytes);
  plugin.updateSubmenu();
  return Bytes(panel, panel + bytes);
}

bool ModuleTest::StrokeTaken() {
  const bool taken = plugin.mouseDown(kStrokeX, kStrokeY) == STAMP_RESULT_OVERLAY_CHANGED;
  plugin.mouseUp(kStrokeX, kStrokeY);
  return taken;
}

}  // namespace stamp::test
