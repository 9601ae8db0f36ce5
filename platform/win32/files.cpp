// Files and libraries: the program's path, file enumeration, libraries and the system's open and
// save dialogs.
#include <algorithm>
#include <cstddef>

#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"

#include <commdlg.h>

namespace stamp::platform {
namespace {

// The platform's request is the 76-byte open-file record of the first 32-bit systems, field for
// field: the system takes it as it is.
constexpr size_t kFirstOpenFileNameBytes = 76;
static_assert(sizeof(PlatOpenFileName) == kFirstOpenFileNameBytes);
static_assert(offsetof(PlatOpenFileName, lpstrFile) == offsetof(OPENFILENAMEW, lpstrFile));
static_assert(offsetof(PlatOpenFileName, Flags) == offsetof(OPENFILENAMEW, Flags));
static_assert(offsetof(PlatOpenFileName, lpTemplateName) ==
              offsetof(OPENFILENAMEW, lpTemplateName));

void CopyName(const WIN32_FIND_DATAW& found, PlatFindData* data) {
  const wchar_t* name = found.cFileName;
  const size_t length = std::min(wcslen(name), size_t{PLAT_MAX_PATH - 1});
  std::copy(name, name + length, data->fileName);
  data->fileName[length] = u'\0';
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Fail;
using stamp::platform::FromHandle;
using stamp::platform::ToHandle;
using stamp::platform::Wide;

// Older systems leave a cut path without its terminator; the platform always ends it.
int32_t plat_get_module_file_name(char16_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  const DWORD length = GetModuleFileNameW(nullptr, Wide(buffer), static_cast<DWORD>(capacity));
  if (length == 0) return Fail("GetModuleFileNameW failed", 0);
  const auto kept = std::min(static_cast<int32_t>(length), capacity - 1);
  buffer[kept] = u'\0';
  return kept;
}

PlatHandle plat_find_first_file(const char16_t* pattern, PlatFindData* data) {
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW(Wide(pattern), &found);
  if (find == INVALID_HANDLE_VALUE) return Fail("nothing matches", PlatHandle{0});
  stamp::platform::CopyName(found, data);
  return ToHandle(find);
}

int32_t plat_find_next_file(PlatHandle find, PlatFindData* data) {
  WIN32_FIND_DATAW found{};
  if (!FindNextFileW(FromHandle<HANDLE>(find), &found)) return 0;
  stamp::platform::CopyName(found, data);
  return 1;
}

int32_t plat_find_close(PlatHandle find) { return FindClose(FromHandle<HANDLE>(find)) ? 1 : 0; }

PlatHandle plat_load_library(const char16_t* name) {
  HMODULE library = LoadLibraryW(Wide(name));
  return library != nullptr ? ToHandle(library) : Fail("LoadLibraryW failed", PlatHandle{0});
}

void* plat_get_proc_address(PlatHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(FromHandle<HMODULE>(library), name));
}

int32_t plat_free_library(PlatHandle library) {
  return FreeLibrary(FromHandle<HMODULE>(library)) ? 1 : 0;
}

int32_t plat_get_open_file_name(PlatOpenFileName* request) {
  return GetOpenFileNameW(reinterpret_cast<OPENFILENAMEW*>(request)) ? 1 : 0;
}

int32_t plat_get_save_file_name(PlatOpenFileName* request) {
  return GetSaveFileNameW(reinterpret_cast<OPENFILENAMEW*>(request)) ? 1 : 0;
}
