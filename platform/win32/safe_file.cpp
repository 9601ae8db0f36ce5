// The safe file calls on Windows: only a regular file is read (a folder or device is refused
// unread), and a file over the caller's limit is refused before it is read. A replacement is
// written to a temporary created new beside the target (never opened through what stands at its
// name), flushed to disk, then moved over the target's name by the system in one step. Paths are
// UTF-8, as everywhere in the host and the platform.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::platform {
namespace {

template <typename T>
T Refuse(std::string* why, std::string reason, T failure) {
  *why = std::move(reason);
  return failure;
}

std::string Reason(std::string_view what, const std::string& path, DWORD error) {
  return std::string(what) + " " + path + ": " + std::system_category().message(int(error));
}

// A new file at a fresh name beside path, open for writing (its name in *temporary); -1 when
// none can be made.
int CreateTemporary(const std::string& path, std::string* temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    *temporary =
        path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    const HANDLE file = CreateFileW(PathFromUtf8(*temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) continue;
    if (file == INVALID_HANDLE_VALUE) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (fd < 0) CloseHandle(file);
    return fd;
  }
  return -1;
}

// What stands at path: false (with the reason) when it is neither absent, a regular file nor a
// link.
bool CheckTarget(const std::string& path, std::string* why) {
  std::error_code error;
  const std::filesystem::file_status status =
      std::filesystem::symlink_status(PathFromUtf8(path), error);
  if (std::filesystem::is_directory(status))
    return Refuse(why, "cannot write " + path + ": it is a folder", false);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_symlink(status)) {
    return Refuse(why, "cannot write " + path + ": it is not a regular file", false);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, uint64_t maxBytes,
                                           std::string* why) {
  const std::filesystem::path file = PathFromUtf8(path);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (error) return Refuse(why, "cannot read " + path + ": " + error.message(), std::nullopt);
  if (!std::filesystem::is_regular_file(status)) {
    return Refuse(why, "cannot read " + path + ": it is not a regular file", std::nullopt);
  }
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return Refuse(why, "cannot read " + path + ": " + error.message(), std::nullopt);
  if (size > maxBytes) {
    return Refuse(
        why, "cannot read " + path + ": over the limit of " + std::to_string(maxBytes) + " bytes",
        std::nullopt);
  }
  std::ifstream stream(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (!stream && !stream.eof()) return Refuse(why, "cannot read " + path, std::nullopt);
  return bytes;
}

Replacement::~Replacement() {
  if (fd_ < 0) return;
  _close(fd_);
  DeleteFileW(PathFromUtf8(temporary_).c_str());
}

bool Replacement::Open(std::string* why) {
  const std::filesystem::path name = PathFromUtf8(path_).filename();
  if (name.empty() || name == "." || name == "..") {
    return Refuse(why, "cannot write " + path_ + ": it names a folder, not a file", false);
  }
  if (!CheckTarget(path_, why) || !MakeFolderFor(path_, why)) return false;
  fd_ = CreateTemporary(path_, &temporary_);
  return fd_ >= 0 || Refuse(why, Reason("cannot write", path_, GetLastError()), false);
}

bool Replacement::Write(std::string_view bytes, std::string* why) {
  while (!bytes.empty()) {
    const int written = _write(fd_, bytes.data(), static_cast<unsigned>(bytes.size()));
    if (written <= 0) return Failed(why);
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool Replacement::Commit(std::string* why) {
  if (!FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)))) return Failed(why);
  const int fd = fd_;
  fd_ = -1;
  const std::filesystem::path temporary = PathFromUtf8(temporary_);
  if (_close(fd) != 0 || !MoveFileExW(temporary.c_str(), PathFromUtf8(path_).c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *why = Reason("cannot write", path_, GetLastError());
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

// The reason of the call that failed, named after the target; the temporary goes.
bool Replacement::Failed(std::string* why) {
  *why = Reason("cannot write", path_, GetLastError());
  _close(fd_);
  fd_ = -1;
  DeleteFileW(PathFromUtf8(temporary_).c_str());
  return false;
}

}  // namespace stamp::platform
