#include "platform/portable/profile_update.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/portable/last_error.h"
#include "platform/posix/system/file_descriptor.h"
#include "platform/support/safe_file.h"

namespace stamp::platform {
namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit when it resolves a path

std::string Reason(const std::string& path) {
  return "cannot write " + path + ": " + std::strerror(errno);
}

// Refuses a folder, FIFO, device or socket before anything opens it.
bool CheckRegularOrAbsent(const std::string& target) {
  struct stat status {};
  if (::lstat(target.c_str(), &status) != 0) return true;
  if (S_ISLNK(status.st_mode)) return true;  // replaced since it was followed: the read refuses it
  const std::string reason = NotRegularReason(status.st_mode);
  return reason.empty() || Fail("cannot write " + target + ": it " + reason, false);
}

// Locks the folder that holds the profile. The profile itself is replaced by every write, so a
// lock on the file would be left on a file no longer at that name and a waiting writer could be
// overtaken again and again; the folder stays while its files come and go.
int LockFolderOf(const std::string& target) {
  const std::string folder = std::filesystem::path(target).parent_path().string();
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return Fail(Reason(target), -1);
  int locked = ::flock(fd.get(), LOCK_EX);
  while (locked != 0 && errno == EINTR) locked = ::flock(fd.get(), LOCK_EX);
  if (locked != 0) return Fail(Reason(target), -1);
  return fd.Release();
}

// The file a path names once links are followed; it need not exist. nullopt (with
// plat_last_error) for a chain of links that does not end.
std::optional<std::string> FollowLinks(const std::string& path) {
  std::filesystem::path current(path);
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
      return current.string();
    }
    const std::filesystem::path target = std::filesystem::read_symlink(current, error);
    if (error)
      return Fail("cannot follow the link " + current.string() + ": " + error.message(),
                  std::nullopt);
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return Fail("cannot write " + path + ": its chain of links does not end", std::nullopt);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string why;
  FileDescriptor fd(OpenRegularFile(path, &why));
  if (fd.get() < 0) {
    return errno == ENOENT ? std::optional<std::string>("") : Fail(why, std::nullopt);
  }
  std::optional<std::string> text = ReadOpenFile(fd.get(), path, kMaxProfileBytes, &why);
  return text ? text : Fail(why, std::nullopt);
}

bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& edit) {
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return false;
  std::string why;
  if (!MakeFolderFor(*target, &why)) return Fail(why, false);
  const FileDescriptor lock(LockFolderOf(*target));
  if (lock.get() < 0 || !CheckRegularOrAbsent(*target)) return false;
  const std::optional<std::string> text = ReadWholeFile(*target);
  if (!text) return false;
  const std::optional<std::string> changed = edit(*text);
  if (!changed) return false;
  return ReplaceFileAtomically(*target, *changed, &why) || Fail(why, false);
}

}  // namespace stamp::platform
