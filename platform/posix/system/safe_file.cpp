#include "platform/support/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/posix/system/file_descriptor.h"
#include "platform/posix/system/stale_temporaries.h"

namespace stamp::platform {
namespace {

constexpr size_t kReadBlock = 65536;

std::string Reason(std::string_view what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

// Keeps the reason and gives back the failure value the caller returns.
template <typename T>
T Refuse(std::string* why, std::string reason, T failure) {
  *why = std::move(reason);
  return failure;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Creates a fresh temporary beside path, refusing to open anything already there (a planted
// file or link); its name is in *temporary.
int CreateTemporary(const std::string& path, std::string* temporary) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    *temporary = TemporaryNameFor(path);
    const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// What stands at path: false (with the reason) when it is neither absent, a regular file nor a
// link; *mode holds a regular file's permission bits.
bool CheckTarget(const std::string& path, std::optional<mode_t>* mode, std::string* why) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) return true;
    return Refuse(why, Reason("cannot write", path), false);
  }
  if (S_ISLNK(status.st_mode)) return true;
  if (std::string reason = NotRegularReason(status.st_mode); !reason.empty()) {
    return Refuse(why, "cannot write " + path + ": it " + reason, false);
  }
  *mode = status.st_mode & 07777;
  return true;
}

void SyncFolder(const std::filesystem::path& folder) {
  FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
  if (fd.get() >= 0) ::fsync(fd.get());  // best effort: the rename itself has succeeded
}

}  // namespace

std::string NotRegularReason(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "is a folder";
  if (S_ISFIFO(mode)) return "is a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
  if (S_ISSOCK(mode)) return "is a socket";
  return "is not a regular file";
}

int OpenRegularFile(const std::string& path, std::string* why) {
  // A device is refused before it is opened (opening some has effects); the open is
  // non-blocking, so that a FIFO put there meanwhile does not wait for a writer.
  struct stat named {};
  if (::stat(path.c_str(), &named) == 0 && !NotRegularReason(named.st_mode).empty()) {
    return Refuse(why, "cannot read " + path + ": it " + NotRegularReason(named.st_mode), -1);
  }
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) {
    const int cause = errno;
    *why = Reason("cannot read", path);
    errno = cause;
    return -1;
  }
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) return Refuse(why, Reason("cannot read", path), -1);
  if (std::string reason = NotRegularReason(status.st_mode); !reason.empty()) {
    return Refuse(why, "cannot read " + path + ": it " + reason, -1);
  }
  ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
  return fd.Release();
}

std::optional<std::string> ReadOpenFile(int fd, const std::string& path, uint64_t maxBytes,
                                        std::string* why) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return Refuse(why, Reason("cannot read", path), std::nullopt);
  if (static_cast<uint64_t>(status.st_size) > maxBytes) {
    return Refuse(why,
                  "cannot read " + path + ": " + std::to_string(status.st_size) +
                      " bytes is over the limit of " + std::to_string(maxBytes),
                  std::nullopt);
  }
  std::string text;
  std::string block(kReadBlock, '\0');
  for (;;) {
    const ssize_t got = ::read(fd, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Refuse(why, Reason("cannot read", path), std::nullopt);
    if (got == 0) return text;
    if (text.size() + static_cast<size_t>(got) > maxBytes) {  // grew while being read
      return Refuse(
          why, "cannot read " + path + ": over the limit of " + std::to_string(maxBytes) + " bytes",
          std::nullopt);
    }
    text.append(block.data(), static_cast<size_t>(got));
  }
}

std::optional<std::string> ReadRegularFile(const std::string& path, uint64_t maxBytes,
                                           std::string* why) {
  FileDescriptor fd(OpenRegularFile(path, why));
  if (fd.get() < 0) return std::nullopt;
  return ReadOpenFile(fd.get(), path, maxBytes, why);
}

Replacement::~Replacement() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temporary_.c_str());
}

bool Replacement::Open(std::string* why) {
  std::optional<mode_t> mode;
  const std::filesystem::path name = std::filesystem::path(path_).filename();
  if (name.empty() || name == "." || name == "..") {
    return Refuse(why, "cannot write " + path_ + ": it names a folder, not a file", false);
  }
  if (!CheckTarget(path_, &mode, why) || !MakeFolderFor(path_, why)) return false;
  RemoveStaleTemporaries(path_);
  fd_ = CreateTemporary(path_, &temporary_);
  if (fd_ < 0) return Refuse(why, Reason("cannot write", path_), false);
  return !mode || ::fchmod(fd_, *mode) == 0 || Failed(why);
}

bool Replacement::Write(std::string_view bytes, std::string* why) {
  return WriteAll(fd_, bytes) || Refuse(why, Reason("cannot write", path_), false);
}

bool Replacement::Commit(std::string* why) {
  if (::fsync(fd_) != 0) return Failed(why);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    *why = Reason("cannot write", path_);
    ::unlink(temporary_.c_str());
    return false;
  }
  SyncFolder(std::filesystem::path(path_).parent_path());
  return true;
}

// The reason of the call that failed, named after the target; the temporary goes.
bool Replacement::Failed(std::string* why) {
  *why = Reason("cannot write", path_);
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
  return false;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view text, std::string* why) {
  Replacement replacement(path);
  if (!replacement.Open(why)) return false;
  return replacement.Write(text, why) && replacement.Commit(why);
}

}  // namespace stamp::platform
