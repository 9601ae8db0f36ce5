// The profile's file on Windows, kept as the platform promises on every back end: each change
// re-reads the file under a lock that every writer of that path shares (a named mutex, since the
// file itself is replaced by every write), edits only what it must, writes the whole new file to
// a temporary beside it, flushes it to disk and moves it over the old one. A failed change
// leaves the old file as it was. The text is UTF-8 on both back ends, so a profile reads the same
// wherever it was written. A missing folder is created.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/portable/profile_update.h"
#include "platform/portable/text_encoding.h"
#include "platform/win32/owned_handle.h"

namespace stamp::platform {
namespace {

std::wstring WidePath(const std::string& path) {
  const std::u16string wide = FromUtf8(path);
  return std::wstring(wide.begin(), wide.end());
}

std::string Reason(const std::string& path, const char* what) {
  return std::string(what) + " " + path + ": system error " + std::to_string(GetLastError());
}

// Held while one change of the file at fullPath is made. The mutex is named after the path
// (case folded, as the file system matches names), hashed because a name may not hold '\'.
class ProfileLock {
 public:
  explicit ProfileLock(const std::wstring& fullPath)
      : mutex_(CreateMutexW(nullptr, FALSE, Name(fullPath).c_str())) {
    held_ = mutex_.valid() && WaitForSingleObject(mutex_.get(), INFINITE) != WAIT_FAILED;
  }
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;
  ~ProfileLock() {
    if (held_) ReleaseMutex(mutex_.get());
  }
  bool held() const { return held_; }

 private:
  static std::wstring Name(const std::wstring& fullPath) {
    uint64_t hash = 14695981039346656037u;  // 64-bit FNV-1a
    for (const wchar_t c : fullPath) {
      hash = (hash ^ static_cast<uint16_t>(towlower(c))) * 1099511628211u;
    }
    return L"Local\\stamp-profile-" + std::to_wstring(hash);
  }

  OwnedHandle mutex_;
  bool held_ = false;
};

std::wstring FolderOf(const std::wstring& fullPath) {
  return fullPath.substr(0, fullPath.find_last_of(L"\\/"));
}

// Creates the folder and those above it that are missing.
bool MakeFolders(const std::wstring& folder) {
  if (folder.empty() || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const size_t up = folder.find_last_of(L"\\/");
  if (up != std::wstring::npos && !MakeFolders(folder.substr(0, up))) return false;
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteAll(const std::wstring& path, const std::string& text) {
  const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.valid() &&
         WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size() && FlushFileBuffers(file.get());
}

// Writes text to a new temporary beside target and moves it over target.
bool Replace(const std::string& path, const std::wstring& target, const std::string& text) {
  wchar_t temporary[MAX_PATH];
  if (GetTempFileNameW(FolderOf(target).c_str(), L"stp", 0, temporary) == 0) {
    return Fail(Reason(path, "cannot write"), false);
  }
  if (!WriteAll(temporary, text) ||
      !MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::string reason = Reason(path, "cannot write");
    DeleteFileW(temporary);
    return Fail(reason, false);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const std::wstring wide = WidePath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::string();
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return Fail("cannot read " + path + ": it is a folder", std::nullopt);
  }
  const OwnedHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
    return Fail(Reason(path, "cannot read"), std::nullopt);
  }
  if (static_cast<uint64_t>(size.QuadPart) > kMaxProfileBytes) {
    return Fail("cannot read " + path + ": too large for a profile", std::nullopt);
  }
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
      read != text.size()) {
    return Fail(Reason(path, "cannot read"), std::nullopt);
  }
  return text;
}

bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& edit) {
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(WidePath(path).c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH)
    return Fail("cannot write " + path + ": path too long", false);
  const std::wstring target(full, length);
  if (!MakeFolders(FolderOf(target)))
    return Fail(Reason(path, "cannot create the folder of"), false);
  const ProfileLock lock(target);
  if (!lock.held()) return Fail(Reason(path, "cannot lock"), false);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Fail("cannot write " + path + ": it is a folder", false);
  }
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return false;
  const std::optional<std::string> changed = edit(*text);
  return changed && Replace(path, target, *changed);
}

}  // namespace stamp::platform
