// The system's calls for a loaded library, behind the plug-in module (plugin_library_posix.cpp:
// dlopen; plugin_library_win32.cpp: LoadLibraryW).
#pragma once

#include <filesystem>
#include <string>

#include "host/result.h"

namespace stamp::host {

// The library at path, loaded with every symbol bound now, or the system's reason it is not.
Result<void*> OpenLibrary(const std::filesystem::path& path);
// The address of an export; nullptr when there is none.
void* LibrarySymbol(void* library, const char* name);
void CloseLibrary(void* library);

}  // namespace stamp::host
