// Libraries on Linux: dlopen with RTLD_NOW | RTLD_LOCAL, dlsym, dlclose.
#include <dlfcn.h>

#include "host/plugin/plugin_library.h"

namespace stamp::host {

Result<void*> OpenLibrary(const std::filesystem::path& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return Failure{dlerror()};
  return library;
}

void* LibrarySymbol(void* library, const char* name) {
  dlerror();
  return dlsym(library, name);
}

void CloseLibrary(void* library) { dlclose(library); }

}  // namespace stamp::host
