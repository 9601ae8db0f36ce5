// Where the profile lives on Linux: the user's configuration folder.
#include <cstdlib>

#include "host/commands/command_line.h"

namespace stamp::host {

std::optional<std::filesystem::path> DefaultProfile() {
  constexpr std::string_view kProfileName = "stamp-host/profile.ini";
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    return std::filesystem::path(config) / kProfileName;
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / ".config" / kProfileName;
  }
  return std::nullopt;
}

}  // namespace stamp::host
