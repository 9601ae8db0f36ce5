// Files: the program's path, file enumeration and the system's open and save dialogs.
//
// Enumeration keeps the platform's promise rather than the system's matching: "." and ".." are
// never reported, and each long name is matched against the pattern by the platform's own
// matcher, since the system also matches the short 8.3 names ("*.bmp" would find "a.bmpx").
// A search's handle is too wide for the platform's handles on the x86-64 test build, so searches
// are named by this module's slots.
#include <algorithm>
#include <string>
#include <string_view>

#include "platform/portable/find_files.h"
#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/win32/handle_slots.h"
#include "platform/win32/win32_handles.h"

#include <commdlg.h>

namespace stamp::platform {
namespace {

// A search in progress: the system's search and the name part of the pattern.
struct FileSearch {
  HANDLE find;
  std::u16string pattern;
};

HandleSlots<FileSearch>& Searches() {
  static HandleSlots<FileSearch> searches;
  return searches;
}

bool Reported(const WIN32_FIND_DATAW& found, std::u16string_view pattern) {
  const std::u16string_view name(reinterpret_cast<const char16_t*>(found.cFileName));
  return name != u"." && name != u".." && MatchesPattern(pattern, name);
}

// The first reported entry from found on, into data; false at the end of the folder.
bool NextReported(const FileSearch& search, WIN32_FIND_DATAW& found, PlatFindData* data) {
  while (!Reported(found, search.pattern)) {
    if (!FindNextFileW(search.find, &found)) return false;
  }
  CopyTerminated(reinterpret_cast<const char16_t*>(found.cFileName), data->fileName, PLAT_MAX_PATH);
  return true;
}

PlatHandle FindFirst(std::u16string_view pattern, PlatFindData* data) {
  Searches().Reserve();
  WIN32_FIND_DATAW found{};
  const std::u16string whole(pattern);
  HANDLE find = FindFirstFileW(Wide(whole.c_str()), &found);
  if (find == INVALID_HANDLE_VALUE) return Fail("no file matches", PlatHandle{0});
  FileSearch search{find, std::u16string(pattern.substr(pattern.rfind(u'\\') + 1))};
  if (!NextReported(search, found, data)) {
    FindClose(find);
    return Fail("no file matches", PlatHandle{0});
  }
  return Searches().Add(std::move(search));
}

// The system's open-file record of this target, filled from the platform's 32-bit one; only
// the fields the dialog writes are copied back.
OPENFILENAMEW SystemRequest(const PlatOpenFileName& request) {
  OPENFILENAMEW system{};
  system.lStructSize = sizeof system;
  system.hwndOwner = FromHandle<HWND>(request.hwndOwner);
  system.hInstance = FromHandle<HINSTANCE>(request.hInstance);
  system.lpstrFilter = Wide(request.lpstrFilter);
  system.lpstrCustomFilter = Wide(request.lpstrCustomFilter);
  system.nMaxCustFilter = request.nMaxCustFilter;
  system.nFilterIndex = request.nFilterIndex;
  system.lpstrFile = Wide(request.lpstrFile);
  system.nMaxFile = request.nMaxFile;
  system.lpstrFileTitle = Wide(request.lpstrFileTitle);
  system.nMaxFileTitle = request.nMaxFileTitle;
  system.lpstrInitialDir = Wide(request.lpstrInitialDir);
  system.lpstrTitle = Wide(request.lpstrTitle);
  system.Flags = request.Flags;
  system.lpstrDefExt = Wide(request.lpstrDefExt);
  system.lCustData = request.lCustData;
  system.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(request.lpfnHook);
  system.lpTemplateName = Wide(request.lpTemplateName);
  return system;
}

int32_t RunFileDialog(PlatOpenFileName* request, BOOL(WINAPI* dialog)(OPENFILENAMEW*)) {
  if (request == nullptr) return Fail("file dialog without a request", 0);
  OPENFILENAMEW system = SystemRequest(*request);
  const BOOL chosen = dialog(&system);
  request->nFilterIndex = system.nFilterIndex;
  request->nFileOffset = system.nFileOffset;
  request->nFileExtension = system.nFileExtension;
  request->Flags = system.Flags;
  return chosen ? 1 : 0;
}

}  // namespace
}  // namespace stamp::platform

using namespace stamp::platform;

// Older systems leave a cut path without its terminator; the platform always ends it.
int32_t plat_get_module_file_name(char16_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return Fail("no room for the program path", 0);
  const DWORD length = GetModuleFileNameW(nullptr, Wide(buffer), static_cast<DWORD>(capacity));
  if (length == 0) return Fail("GetModuleFileNameW failed", 0);
  const auto kept = std::min(static_cast<int32_t>(length), capacity - 1);
  buffer[kept] = u'\0';
  return kept;
}

PlatHandle plat_find_first_file(const char16_t* pattern, PlatFindData* data) {
  if (pattern == nullptr || data == nullptr) return Fail("find without pattern or data", 0);
  return GuardedCall(PlatHandle{0}, [&] { return FindFirst(pattern, data); });
}

int32_t plat_find_next_file(PlatHandle find, PlatFindData* data) {
  FileSearch* search = Searches().Find(find);
  if (search == nullptr || data == nullptr) return Fail("not a find handle", 0);
  WIN32_FIND_DATAW found{};
  if (!FindNextFileW(search->find, &found)) return Fail("no more files", 0);
  return NextReported(*search, found, data) ? 1 : Fail("no more files", 0);
}

int32_t plat_find_close(PlatHandle find) {
  FileSearch* search = Searches().Find(find);
  if (search == nullptr) return Fail("not a find handle", 0);
  const BOOL closed = FindClose(search->find);
  Searches().Remove(find);
  return closed ? 1 : 0;
}

int32_t plat_get_open_file_name(PlatOpenFileName* request) {
  return RunFileDialog(request, GetOpenFileNameW);
}

int32_t plat_get_save_file_name(PlatOpenFileName* request) {
  return RunFileDialog(request, GetSaveFileNameW);
}
