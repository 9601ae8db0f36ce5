#include "host/document/tool_profile.h"

#include "host/record/host_directory.h"

namespace stamp::document {
namespace {

constexpr char16_t kSampleSheet[] = u"" STAMP_SHEET_FOLDER "\\nature.bmp";

}  // namespace

// The profile gives the whole length of a value even when the buffer is too short for it.
std::u16string ProfileSheet(PlatApp* app) {
  std::u16string path(PLAT_MAX_PATH, u'\0');
  const int32_t length = plat_profile_get_string(app, kSettingsSection, kSheetKey, u"", path.data(),
                                                 static_cast<int32_t>(path.size()));
  if (length >= static_cast<int32_t>(path.size())) {
    path.assign(static_cast<size_t>(length) + 1, u'\0');
    plat_profile_get_string(app, kSettingsSection, kSheetKey, u"", path.data(), length + 1);
  }
  return path.c_str();
}

bool ChooseSampleSheetIfNone(PlatApp* app, const std::filesystem::path& hostFolder) {
  if (!ProfileSheet(app).empty()) return false;
  const std::u16string sheet = host::HostDirectoryText(hostFolder) + kSampleSheet;
  return plat_profile_write_string(app, kSettingsSection, kSheetKey, sheet.c_str()) != 0;
}

}  // namespace stamp::document
