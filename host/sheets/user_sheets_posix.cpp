#include "host/sheets/user_sheets.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/support/safe_file.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

// The program the tool is told it runs in: it only takes the folder the name lies in.
constexpr char kProgramName[] = "stamp-host";

bool IsDanglingLink(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode) &&
         ::stat(path.c_str(), &status) != 0;
}

// A fresh link to sample beside at, under a name of this process's own that nothing held (a
// second window links the same samples at once): "" when every name tried was taken.
std::string MakeFreshLink(const fs::path& sample, const fs::path& at) {
  for (int attempt = 0; attempt < platform::kTemporaryNameAttempts; ++attempt) {
    std::string fresh = platform::TemporaryNameFor(at.string());
    if (::symlink(sample.c_str(), fresh.c_str()) == 0) return fresh;
    if (errno != EEXIST) return {};
  }
  return {};
}

// A link to sample at at where nothing stands there, or where a link that leads nowhere does: the
// new link is made beside it and renamed over it, so no moment lacks it. Anything else at at (the
// user's own file, or a link another window made meanwhile) is left as it is.
Status LinkSample(const fs::path& sample, const fs::path& at) {
  struct stat status {};
  if (::lstat(at.c_str(), &status) != 0) {
    if (::symlink(sample.c_str(), at.c_str()) == 0 || errno == EEXIST) return {};
  } else if (IsDanglingLink(at)) {
    const std::string fresh = MakeFreshLink(sample, at);
    if (!fresh.empty() && ::rename(fresh.c_str(), at.c_str()) == 0) return {};
    const int cause = errno;
    if (!fresh.empty()) ::unlink(fresh.c_str());
    errno = cause;
  } else {
    return {};
  }
  return Failure{"cannot link the sample " + sample.filename().string() + " into " +
                 at.parent_path().string() + ": " + std::strerror(errno)};
}

// The links a window that was killed while linking left under its temporary names. Only a link
// of that name whose window no longer runs goes: a file of the user's is never one.
void RemoveStaleLinks(const fs::path& folder) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    struct stat status {};
    if (platform::StaleTemporaryTarget(entry.path().filename().string()) &&
        ::lstat(entry.path().c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
      ::unlink(entry.path().c_str());
    }
  }
}

}  // namespace

std::string SystemFileNameRefusal(const std::string&) { return {}; }

Status PrepareUserSheetFolder(const fs::path& folder, const fs::path& samples) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    return Failure{"cannot make the sheet folder " + folder.string() + ": " + error.message()};
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return Failure{"the sheet folder " + folder.string() +
                   " cannot be written: " + std::strerror(errno)};
  }
  RemoveStaleLinks(folder);
  for (const fs::directory_entry& entry : fs::directory_iterator(samples, error)) {
    const fs::path name = entry.path().filename();
    if (!IsSheetName(name.string()) || !entry.is_regular_file(error)) continue;
    STAMP_TRY(LinkSample(fs::absolute(entry.path()), folder / name));
  }
  return {};
}

Status ShowUserSheetsToTool(const std::optional<fs::path>& folder, const fs::path& hostFolder) {
  if (!folder) return Failure{"no sheet folder of your own: HOME and XDG_DATA_HOME are unset"};
  STAMP_TRY(PrepareUserSheetFolder(*folder, hostFolder / STAMP_SHEET_FOLDER));
  plat_set_program_path((folder->parent_path() / kProgramName).c_str());
  return {};
}

}  // namespace stamp::host
