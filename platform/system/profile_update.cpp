#include "platform/system/profile_update.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/system/file_descriptor.h"
#include "platform/system/last_error.h"
#include "platform/system/safe_file.h"

namespace stamp::platform {
namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit when it resolves a path
constexpr int kLockAttempts = 100;

std::string Reason(const std::string& path) {
  return "cannot write " + path + ": " + std::strerror(errno);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Refuses a folder, FIFO, device or socket before anything opens it.
bool CheckRegularOrAbsent(const std::string& target) {
  struct stat status {};
  if (::lstat(target.c_str(), &status) != 0) return true;
  if (S_ISLNK(status.st_mode)) return true;  // replaced since it was followed: the open refuses it
  const std::string reason = NotRegularReason(status.st_mode);
  return reason.empty() || Fail("cannot write " + target + ": it " + reason, false);
}

// Opens the file (creating it empty when missing) and locks it. Another writer may have
// replaced the file between the open and the lock: then the lock is on a file no longer at that
// name, and the open is tried again.
int OpenLocked(const std::string& target) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    if (!CheckRegularOrAbsent(target)) return -1;
    FileDescriptor fd(::open(
        target.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kNewFileMode));
    if (fd.get() < 0) return Fail(Reason(target), -1);
    int locked = ::flock(fd.get(), LOCK_EX);
    while (locked != 0 && errno == EINTR) locked = ::flock(fd.get(), LOCK_EX);
    struct stat opened {};
    struct stat named {};
    if (locked != 0 || ::fstat(fd.get(), &opened) != 0) return Fail(Reason(target), -1);
    if (const std::string reason = NotRegularReason(opened.st_mode); !reason.empty()) {
      return Fail("cannot write " + target + ": it " + reason, -1);
    }
    if (::stat(target.c_str(), &named) == 0 && SameFile(opened, named)) return fd.Release();
  }
  return Fail("cannot write " + target + ": other programs keep replacing it", -1);
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

bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& edit) {
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return false;
  std::string why;
  if (!MakeFolderFor(*target, &why)) return Fail(why, false);
  FileDescriptor fd(OpenLocked(*target));
  if (fd.get() < 0) return false;
  const std::optional<std::string> text = ReadOpenFile(fd.get(), *target, kMaxProfileBytes, &why);
  if (!text) return Fail(why, false);
  const std::optional<std::string> changed = edit(*text);
  if (!changed) return false;
  return ReplaceFileAtomically(*target, *changed, &why) || Fail(why, false);
}

}  // namespace stamp::platform
