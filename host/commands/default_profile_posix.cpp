// Where the user's folders are on Linux, and the profile in them.
#include <cstdlib>

#include "host/commands/command_line.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr char kHostFolder[] = "stamp-host";

struct FolderRule {
  const char* variable;
  const char* underHome;
};

FolderRule RuleOf(UserFolder kind) {
  switch (kind) {
    case UserFolder::kConfig: return {"XDG_CONFIG_HOME", ".config"};
    case UserFolder::kData: return {"XDG_DATA_HOME", ".local/share"};
    case UserFolder::kState: break;
  }
  return {"XDG_STATE_HOME", ".local/state"};
}

}  // namespace

const char kNoDefaultProfile[] =
    "no profile: HOME and XDG_CONFIG_HOME are unset; give --profile FILE";

std::optional<std::filesystem::path> HostUserFolder(UserFolder kind) {
  const FolderRule rule = RuleOf(kind);
  if (const char* base = std::getenv(rule.variable); base != nullptr && *base == '/') {
    return std::filesystem::path(base) / kHostFolder;
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / rule.underHome / kHostFolder;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> UserSheetFolder() {
  const std::optional<std::filesystem::path> folder = HostUserFolder(UserFolder::kData);
  if (!folder) return std::nullopt;
  return *folder / STAMP_SHEET_FOLDER;
}

std::optional<std::filesystem::path> DefaultProfile() {
  const std::optional<std::filesystem::path> folder = HostUserFolder(UserFolder::kConfig);
  if (!folder) return std::nullopt;
  return *folder / "profile.ini";
}

}  // namespace stamp::host
