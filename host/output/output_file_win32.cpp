// Output files on Windows: written to a temporary created new beside the target (never opened
// through what stands at its name), flushed to disk, then moved over the target's name by the
// system in one step.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "host/output/output_file.h"
#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::host {
namespace {

std::filesystem::path TemporaryFor(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = path;
  temporary +=
      L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
  return temporary;
}

// A stream on a new file at path; nullptr when it exists or cannot be made.
std::FILE* CreateNew(const std::filesystem::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, "wb");
  if (stream == nullptr) _close(fd);
  return stream;
}

Status Flushed(std::FILE* stream) {
  if (std::fflush(stream) != 0) return Failure{std::strerror(errno)};
  const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  if (!FlushFileBuffers(file)) return Failure{"cannot flush the file to disk"};
  return {};
}

}  // namespace

Status WriteAtomically(const std::filesystem::path& path,
                       const std::function<Status(std::FILE*)>& write) {
  std::string why;
  if (!platform::MakeFolderFor(platform::PathToUtf8(path), &why)) return Failure{why};
  const std::filesystem::path temporary = TemporaryFor(path);
  std::FILE* stream = CreateNew(temporary);
  if (stream == nullptr) {
    return Failure{"cannot write " + platform::PathToUtf8(path) + ": cannot create a temporary"};
  }
  Status written = write(stream);
  if (written.ok()) written = Flushed(stream);
  if (std::fclose(stream) != 0 && written.ok()) written = Failure{std::strerror(errno)};
  if (written.ok() && !MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    written = Failure{"cannot move the new file over the old"};
  }
  if (written.ok()) return {};
  DeleteFileW(temporary.c_str());
  return Failure{"cannot write " + platform::PathToUtf8(path) + ": " + written.error()};
}

}  // namespace stamp::host
