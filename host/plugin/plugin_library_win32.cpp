// Libraries on Windows: LoadLibraryW, GetProcAddress, FreeLibrary.
#include <windows.h>

#include "host/plugin/plugin_library.h"

namespace stamp::host {

Result<void*> OpenLibrary(const std::filesystem::path& path) {
  HMODULE library = LoadLibraryW(path.wstring().c_str());
  if (library == nullptr) return Failure{"system error " + std::to_string(GetLastError())};
  return static_cast<void*>(library);
}

// GetProcAddress gives a generic function pointer; the caller gives it its type.
void* LibrarySymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace stamp::host
