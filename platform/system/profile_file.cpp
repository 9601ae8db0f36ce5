#include "platform/system/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/system/last_error.h"

namespace stamp::platform {
namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask
constexpr int kTemporaryNameAttempts = 100;

std::string Reason(std::string_view what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, so that a failing close (a full disk on some file systems) can be seen.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Creates a fresh temporary file beside path; its name is in *temporary.
int CreateTemporary(const std::string& path, std::string* temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    *temporary = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd =
        ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteTemporary(int fd, const std::string& path, std::string_view text) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0) {
    return false;
  }
  return WriteAll(fd, text) && ::fsync(fd) == 0;
}

void SyncFolder(const std::filesystem::path& folder) {
  FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
  if (fd.get() >= 0) ::fsync(fd.get());  // best effort: the rename itself has succeeded
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::string();
    return Fail(Reason("cannot open", path), std::nullopt);
  }
  std::string text;
  char block[4096];
  for (;;) {
    const ssize_t got = ::read(fd.get(), block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(Reason("cannot read", path), std::nullopt);
    if (got == 0) return text;
    text.append(block, static_cast<size_t>(got));
  }
}

bool ReplaceFileAtomically(const std::string& path, std::string_view text) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  if (error) return Fail("cannot create folder " + folder.string() + ": " + error.message(), false);
  std::string temporary;
  FileDescriptor fd(CreateTemporary(path, &temporary));
  if (fd.get() < 0) return Fail(Reason("cannot create a temporary file for", path), false);
  if (!WriteTemporary(fd.get(), path, text) || !fd.Close() ||
      ::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = Reason("cannot write", path);
    ::unlink(temporary.c_str());
    return Fail(reason, false);
  }
  SyncFolder(folder);
  return true;
}

}  // namespace stamp::platform
