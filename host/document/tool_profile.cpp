#include "host/document/tool_profile.h"

#include <cstdint>

#include "host/record/host_directory.h"
#include "stamp/profile_string.h"

namespace stamp::document {
namespace {

constexpr char16_t kSampleSheet[] = u"" STAMP_SHEET_FOLDER "\\nature.bmp";

// A number's decimal digits, which are ASCII, as UTF-16.
std::u16string Utf16Number(int64_t value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace

std::u16string ProfileSheet(PlatApp* app) {
  return ReadProfileString(app, kSettingsSection, kSheetKey);
}

std::u16string StartSettingsText(PlatApp* app, bool firstStart) {
  const int32_t cell =
      plat_profile_get_int(app, kSettingsSection, kSelectionKey, STAMP_DEFAULT_SELECTION);
  const int32_t angle = plat_profile_get_int(app, kSettingsSection, kAngleKey, STAMP_DEFAULT_ANGLE);
  const int32_t size =
      plat_profile_get_int(app, kSettingsSection, kReductionKey, STAMP_DEFAULT_REDUCTION);
  const std::u16string sheet = ProfileSheet(app);
  const std::u16string name = sheet.substr(sheet.find_last_of(u'\\') + 1);
  std::u16string text = u"Started with cell " + Utf16Number(cell) + u", size " + Utf16Number(size) +
                        u", angle " + Utf16Number(-int64_t{angle}) + u", sheet " +
                        (name.empty() ? u"none" : name);
  if (firstStart) text += u". Press File on the panel to pick another sheet";
  return text;
}

bool ChooseSampleSheetIfNone(PlatApp* app, const std::filesystem::path& hostFolder) {
  if (!ProfileSheet(app).empty()) return false;
  const std::u16string sheet = host::HostDirectoryText(hostFolder) + kSampleSheet;
  return plat_profile_write_string(app, kSettingsSection, kSheetKey, sheet.c_str()) != 0;
}

}  // namespace stamp::document
