#include "host/document/tool_profile.h"

#include "host/record/host_directory.h"
#include "stamp/profile_string.h"

namespace stamp::document {
namespace {

constexpr char16_t kSampleSheet[] = u"" STAMP_SHEET_FOLDER "\\nature.bmp";

}  // namespace

std::u16string ProfileSheet(PlatApp* app) {
  return ReadProfileString(app, kSettingsSection, kSheetKey);
}

bool ChooseSampleSheetIfNone(PlatApp* app, const std::filesystem::path& hostFolder) {
  if (!ProfileSheet(app).empty()) return false;
  const std::u16string sheet = host::HostDirectoryText(hostFolder) + kSampleSheet;
  return plat_profile_write_string(app, kSettingsSection, kSheetKey, sheet.c_str()) != 0;
}

}  // namespace stamp::document
