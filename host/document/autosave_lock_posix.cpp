#include "host/document/autosave_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/support/safe_file.h"

namespace stamp::document {
namespace {

constexpr mode_t kLockMode = 0600;
constexpr int kTakeAttempts = 3;

// Whether path still names the file open as fd: another window's scan removes a lock that
// nobody holds, which a fresh one is until it is taken.
bool StillNamed(int fd, const std::filesystem::path& path) {
  struct stat open {};
  struct stat named {};
  return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// What refuses the lock just opened as fd ("" when it is a regular file); fd is closed if so.
std::string RefuseIrregular(int fd, const std::filesystem::path& path) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const std::string reason = std::strerror(errno);
    ::close(fd);
    return "the lock " + path.string() + " cannot be checked: " + reason;
  }
  const std::string reason = platform::NotRegularReason(status.st_mode);
  if (reason.empty()) return {};
  ::close(fd);
  return "the lock " + path.string() + " " + reason;
}

std::string OpenFailure(const std::filesystem::path& path) {
  if (errno == ELOOP) return "the lock " + path.string() + " is a link";
  return "the lock " + path.string() + " cannot be opened: " + std::strerror(errno);
}

}  // namespace

host::Result<LockState> ProbeLock(const std::filesystem::path& path) {
  // Read-only suffices for flock, so the locks of a read-only folder can be probed too.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return LockState::kFree;
    return host::Failure{OpenFailure(path)};
  }
  if (std::string why = RefuseIrregular(fd, path); !why.empty()) return host::Failure{why};
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held ? LockState::kHeld : LockState::kFree;
}

HeldLock::~HeldLock() { ::close(static_cast<int>(handle_)); }

host::Result<std::unique_ptr<HeldLock>> TakeLock(const std::filesystem::path& path) {
  for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kLockMode);
    if (fd < 0) return host::Failure{OpenFailure(path)};
    if (std::string why = RefuseIrregular(fd, path); !why.empty()) return host::Failure{why};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return host::Failure{"the lock " + path.string() + " is held by another window"};
    }
    if (StillNamed(fd, path)) return std::make_unique<HeldLock>(fd);
    ::close(fd);  // removed as stale between its creation and its lock: again
  }
  return host::Failure{"the lock " + path.string() + " keeps being removed"};
}

}  // namespace stamp::document
