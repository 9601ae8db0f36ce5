// Libraries on Windows: LoadLibraryW, GetProcAddress, FreeLibrary.
#include <windows.h>

#include "host/record/plugin_library.h"

namespace stamp::host {

void* OpenLibrary(const std::filesystem::path& path, std::string* why) {
  HMODULE library = LoadLibraryW(path.wstring().c_str());
  if (library == nullptr) *why = "system error " + std::to_string(GetLastError());
  return library;
}

// GetProcAddress gives a generic function pointer; the caller gives it its type.
void* LibrarySymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace stamp::host
