// The built module driven through its exports on a complete host record (the sample assets of the
// host's folder), with the scripted UI and a folder of the test's own for stamp sheets and
// hostile files. Each test ends shut down, with no platform object left and no guard byte changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "host/plugin/plugin_module.h"
#include "support/plugin_test.h"
#include "support/test_files.h"

namespace stamp::test {

using host::PluginExports;

// The built kvo_stamp.plg in the host's folder.
std::filesystem::path PluginPath();
// The module loaded with the host's own module loader, kept loaded for the life of the test
// program. Throws when the module or one of its exports cannot be found.
const PluginExports& Plugin();

// The profile section the module keeps its settings in.
inline constexpr char16_t kSection[] = u"" STAMP_PROFILE_SECTION;
// The module's message-box texts, as the user reads them.
inline constexpr char16_t kDataFileError[] = u"Stamp:data file load error";
inline constexpr char16_t kMemoryError[] = u"Stamp:memory allocation error";
inline constexpr char16_t kBitmapError[] = u"Bitmap Error";
inline constexpr char16_t kOpenError[] = u"Stamp file open error";

// What a profile holds of the four settings; kAbsent / kAbsentText for a missing key.
inline constexpr int32_t kAbsent = 0x7EADBEEF;
inline constexpr char16_t kAbsentText[] = u"<absent>";
struct StoredSettings {
  int32_t select = kAbsent;
  int32_t degree = kAbsent;
  int32_t shrink = kAbsent;
  std::u16string file = kAbsentText;
  bool operator==(const StoredSettings&) const = default;
};
void PrintTo(const StoredSettings& s, std::ostream* out);

class ModuleTest : public PluginTest {
 protected:
  void TearDown() override;

  int32_t Start() { return plugin.init(host.record()); }
  void StoreSheetPath(const std::u16string& path);
  // The keys are spelt out rather than taken from the public header: they are what stored
  // profiles hold, so a key misspelt where the header names it must fail the tests.
  void Store(const StoredSettings& settings);
  // Read from the profile file on disk through an application object of its own.
  StoredSettings Saved() const;
  // A 120x90 sheet whose pixels differ with seed, written into the test's folder.
  std::u16string WriteSheet(const std::string& name, uint8_t seed) const;
  // Presses the panel's file button, types path into the load dialog and confirms it.
  int32_t LoadThroughDialog(const std::u16string& path);
  // The panel raster as plg_update_submenu draws it over a panel of the background value.
  Bytes DrawnPanel(uint8_t background = 0);
  // Whether a canvas stroke is taken, which needs a loaded sheet.
  bool StrokeTaken();

  const PluginExports& plugin = Plugin();
  const TempFolder folder;
};

}  // namespace stamp::test
