// Where the profile lives on Windows: the user's roaming application data folder.
#include <cstdlib>

#include "host/commands/command_line.h"

namespace stamp::host {

const char kNoDefaultProfile[] = "no profile: APPDATA is unset; give --profile FILE";

std::optional<std::filesystem::path> DefaultProfile() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return std::nullopt;
  return std::filesystem::path(appData) / L"stamp-host" / L"profile.ini";
}

}  // namespace stamp::host
