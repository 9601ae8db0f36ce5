// The system's calls for a loaded library, behind the plug-in module (plugin_library_posix.cpp:
// dlopen; plugin_library_win32.cpp: LoadLibraryW). Every failure gives nullptr.
#pragma once

#include <filesystem>
#include <string>

namespace stamp::host {

// The library at path, loaded with every symbol bound now; nullptr with *why set on failure.
void* OpenLibrary(const std::filesystem::path& path, std::string* why);
// The address of an export; nullptr when there is none.
void* LibrarySymbol(void* library, const char* name);
void CloseLibrary(void* library);

}  // namespace stamp::host
