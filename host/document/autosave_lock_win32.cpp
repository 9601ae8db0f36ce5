// The lock on Windows: the first byte of the lock file locked with LockFileEx, which the system
// releases when the handle closes or the process ends. The file is opened sharing reads, writes
// and deletion, so another window's scan can probe it and remove a lock nobody holds.
#include <windows.h>

#include "host/document/autosave_lock.h"
#include "platform/portable/text_encoding.h"

namespace stamp::document {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kLockFlags = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;

// What refuses the entry at path as a lock ("" when it is a regular file or absent).
std::string Irregular(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return "is a link";
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "is a folder";
  return {};
}

HANDLE OpenLock(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  return CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

bool Lock(HANDLE file) {
  OVERLAPPED start{};
  return LockFileEx(file, kLockFlags, 0, 1, 0, &start) != 0;
}

host::Failure Named(const std::filesystem::path& path, const std::string& what) {
  return {"the lock " + platform::PathToUtf8(path) + " " + what};
}

}  // namespace

host::Result<LockState> ProbeLock(const std::filesystem::path& path) {
  if (const std::string reason = Irregular(path); !reason.empty()) return Named(path, reason);
  const HANDLE file = OpenLock(path, GENERIC_READ, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return LockState::kFree;
    return Named(path, "cannot be opened (error " + std::to_string(error) + ")");
  }
  const bool held = !Lock(file);
  CloseHandle(file);
  return held ? LockState::kHeld : LockState::kFree;
}

HeldLock::~HeldLock() { CloseHandle(reinterpret_cast<HANDLE>(handle_)); }

host::Result<std::unique_ptr<HeldLock>> TakeLock(const std::filesystem::path& path) {
  if (const std::string reason = Irregular(path); !reason.empty()) return Named(path, reason);
  const HANDLE file = OpenLock(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) {
    return Named(path, "cannot be opened (error " + std::to_string(GetLastError()) + ")");
  }
  if (!Lock(file)) {
    CloseHandle(file);
    return Named(path, "is held by another window");
  }
  return std::make_unique<HeldLock>(reinterpret_cast<intptr_t>(file));
}

}  // namespace stamp::document
