// Libraries on Linux: dlopen with RTLD_NOW | RTLD_LOCAL, dlsym, dlclose.
#include <dlfcn.h>

#include "host/record/plugin_library.h"

namespace stamp::host {

void* OpenLibrary(const std::filesystem::path& path, std::string* why) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) *why = dlerror();
  return library;
}

void* LibrarySymbol(void* library, const char* name) {
  dlerror();
  return dlsym(library, name);
}

void CloseLibrary(void* library) { dlclose(library); }

}  // namespace stamp::host
