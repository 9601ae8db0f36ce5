// Opening a zip for reading on Windows: the file is opened by its UTF-16 name, what the handle
// names is checked (a disk file, not a folder, of a bounded size), and libzip reads that same
// handle, which it closes when the archive goes.
#include <windows.h>

#include "host/ora/zip_archive.h"

namespace stamp::ora {
namespace {

// The system's own words for error.
std::string SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason(text, length);
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L'.')) {
    reason.pop_back();
  }
  if (reason.empty()) return "system error " + std::to_string(error);
  return platform::ToUtf8(std::u16string(reason.begin(), reason.end()));
}

// Why the open file is not one to read ("" when it is), in the POSIX host's words.
std::string NotAdmittedReason(HANDLE file) {
  switch (GetFileType(file)) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_PIPE: return "is a FIFO";
    case FILE_TYPE_CHAR: return "is a device";
    default: return "is not a regular file";
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(file, &information)) return "cannot be examined";
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "is a folder";
  const uint64_t size = uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow;
  if (size > kMaxZipFileBytes) {
    return "is over the limit of " + std::to_string(kMaxZipFileBytes) + " bytes";
  }
  return {};
}

}  // namespace

host::Result<ZipArchive> OpenAdmittedZip(const std::filesystem::path& path) {
  using host::Failure;
  const std::string name = platform::PathToUtf8(path);
  // Backup semantics open a folder too, so that it is refused as one, not as access denied.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return Failure{"cannot read " + name + ": " + SystemReason(GetLastError())};
  }
  if (const std::string reason = NotAdmittedReason(file); !reason.empty()) {
    CloseHandle(file);
    return Failure{"cannot read " + name + ": it " + reason};
  }
  zip_error_t reason;
  zip_error_init(&reason);
  zip_source_t* source = zip_source_win32handle_create(file, 0, -1, &reason);
  if (source == nullptr) {
    CloseHandle(file);
    return ZipFailure("cannot open " + name + ": ", reason);
  }
  ZipArchive archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &reason));
  if (!archive) {
    zip_source_free(source);  // and with it the handle
    return ZipFailure("cannot open " + name + ": ", reason);
  }
  zip_error_fini(&reason);
  return archive;
}

}  // namespace stamp::ora
