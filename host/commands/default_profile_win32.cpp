// Where the profile and the user's own sheets live on Windows: the user's roaming application
// data folder.
#include <cstdlib>

#include "host/commands/command_line.h"
#include "stamp/plugin.h"

namespace stamp::host {

const char kNoDefaultProfile[] = "no profile: APPDATA is unset; give --profile FILE";

namespace {

std::optional<std::filesystem::path> HostDataFolder() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return std::nullopt;
  return std::filesystem::path(appData) / L"stamp-host";
}

}  // namespace

std::optional<std::filesystem::path> DefaultProfile() {
  const std::optional<std::filesystem::path> folder = HostDataFolder();
  if (!folder) return std::nullopt;
  return *folder / L"profile.ini";
}

std::optional<std::filesystem::path> UserSheetFolder() {
  const std::optional<std::filesystem::path> folder = HostDataFolder();
  if (!folder) return std::nullopt;
  return *folder / STAMP_SHEET_FOLDER;
}

}  // namespace stamp::host
