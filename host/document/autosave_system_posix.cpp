#include <sys/stat.h>
#include <unistd.h>

#include "host/commands/command_line.h"
#include "host/document/autosave_system.h"
#include "platform/support/safe_file.h"

namespace stamp::document {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kOthersMode = 0077;

std::optional<fs::path> FallbackPath() {
  std::error_code code;
  const fs::path temporary = fs::temp_directory_path(code);
  if (code) return std::nullopt;
  return temporary / ("stamp-host-" + std::to_string(geteuid()));
}

// A real folder (not a link) of this user's that nobody else may enter.
bool IsPrivateFolder(const fs::path& folder) {
  struct stat status {};
  return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == geteuid() && (status.st_mode & kOthersMode) == 0;
}

}  // namespace

const char kNoStateFolder[] = "HOME and XDG_STATE_HOME are unset";

std::optional<fs::path> StateFolder() { return host::HostUserFolder(host::UserFolder::kState); }

std::optional<fs::path> FallbackFolder() {
  const std::optional<fs::path> folder = FallbackPath();
  if (!folder) return std::nullopt;
  ::mkdir(folder->c_str(), kPrivateFolderMode);
  return IsPrivateFolder(*folder) ? folder : std::nullopt;
}

std::vector<fs::path> AutosaveFolders() {
  std::vector<fs::path> folders;
  if (const std::optional<fs::path> state = StateFolder()) folders.push_back(*state);
  if (const std::optional<fs::path> fallback = FallbackPath();
      fallback && IsPrivateFolder(*fallback)) {
    folders.push_back(*fallback);
  }
  return folders;
}

uint64_t ProcessNumber() { return static_cast<uint64_t>(getpid()); }

std::string NotRegularEntry(const fs::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return "cannot be checked";
  return platform::NotRegularReason(status.st_mode);
}

bool IsOwnRegularFile(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         status.st_uid == ::geteuid();
}

std::optional<std::string> KilledWriteTarget(std::string_view name) {
  return platform::StaleTemporaryTarget(name);
}

}  // namespace stamp::document
