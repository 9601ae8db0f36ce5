// The built module driven through its exports on a complete host record (the sample assets of the
// host's folder), with the scripted UI and a folder of the test's own for stamp sheets and
// hostile files. Each test ends shut down, with no platform object left and no guard byte changed.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/plugin_module.h"
#include "platform/support/scripted_ui.h"
#include "support/test_files.h"
#include "support/test_host.h"

namespace stamp::test {

// The profile section the module keeps its settings in.
inline constexpr char16_t kSection[] = u"plugin_kvo_stamp";
// The module's message-box texts, as the user reads them.
inline constexpr char16_t kDataFileError[] = u"Stamp:data file load error";
inline constexpr char16_t kMemoryError[] = u"Stamp:memory allocation error";
inline constexpr char16_t kBitmapError[] = u"Bitmap Error";
inline constexpr char16_t kOpenError[] = u"Stamp file open error";

class ModuleTest : public HostTest {
 protected:
  void SetUp() override { ui.Install(); }
  void TearDown() override;

  int32_t Start() { return plugin.init(host.record()); }
  void StoreSheetPath(const std::u16string& path);
  // A 120x90 sheet whose pixels differ with seed, written into the test's folder.
  std::u16string WriteSheet(const std::string& name, uint8_t seed) const;
  // Presses the panel's file button, types path into the load dialog and confirms it.
  int32_t LoadThroughDialog(const std::u16string& path);
  // The panel raster as plg_update_submenu draws it over a panel of the background value.
  Bytes DrawnPanel(uint8_t background = 0);
  // Whether a canvas stroke is taken, which needs a loaded sheet.
  bool StrokeTaken();

  const PluginExports& plugin = Plugin();
  const LiveObjects liveObjects;
  platform::ScriptedUi ui;
  const TempFolder folder;
};

}  // namespace stamp::test
