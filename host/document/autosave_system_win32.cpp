// On Windows the user's folders are private to the user already, so the fallback folder needs no
// check of its own, and a killed write leaves no temporary this program knows the name of.
#include <windows.h>

#include <cstdlib>

#include "host/document/autosave_system.h"

namespace stamp::document {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kHostFolder[] = L"stamp-host";

bool IsRealFolder(const fs::path& folder) {
  std::error_code code;
  return fs::symlink_status(folder, code).type() == fs::file_type::directory;
}

}  // namespace

const char kNoStateFolder[] = "LOCALAPPDATA is unset";

std::optional<fs::path> StateFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr || *local == L'\0') return std::nullopt;
  return fs::path(local) / kHostFolder;
}

std::optional<fs::path> FallbackFolder() {
  std::error_code code;
  const fs::path folder = fs::temp_directory_path(code) / kHostFolder;
  if (code) return std::nullopt;
  fs::create_directory(folder, code);
  return IsRealFolder(folder) ? std::optional<fs::path>(folder) : std::nullopt;
}

std::vector<fs::path> AutosaveFolders() {
  std::vector<fs::path> folders;
  if (const std::optional<fs::path> state = StateFolder()) folders.push_back(*state);
  std::error_code code;
  if (const fs::path fallback = fs::temp_directory_path(code) / kHostFolder;
      !code && IsRealFolder(fallback)) {
    folders.push_back(fallback);
  }
  return folders;
}

uint64_t ProcessNumber() { return GetCurrentProcessId(); }

std::string NotRegularEntry(const fs::path& path) {
  std::error_code code;
  switch (fs::symlink_status(path, code).type()) {
    case fs::file_type::regular: return {};
    case fs::file_type::directory: return "is a folder";
    case fs::file_type::symlink: return "is a link";
    case fs::file_type::not_found:
    case fs::file_type::none: return "cannot be checked";
    default: return "is not a regular file";
  }
}

bool IsOwnRegularFile(const fs::path& path) { return NotRegularEntry(path).empty(); }

std::optional<std::string> KilledWriteTarget(std::string_view) { return std::nullopt; }

}  // namespace stamp::document
