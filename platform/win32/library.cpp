// Shared libraries by file name. LoadLibraryW looks beside the running program first, as the
// platform promises. A module handle is the library's address, which on the x86-64 test build
// lies above 4 GiB, so libraries are named by this module's slots.
#include <string>

#include "platform/portable/last_error.h"
#include "platform/win32/handle_slots.h"
#include "platform/win32/win32_handles.h"

namespace stamp::platform {
namespace {

HandleSlots<HMODULE>& Libraries() {
  static HandleSlots<HMODULE> libraries;
  return libraries;
}

}  // namespace
}  // namespace stamp::platform

using namespace stamp::platform;

PlatHandle plat_load_library(const char16_t* name) {
  if (name == nullptr || *name == u'\0') return Fail("no library name", PlatHandle{0});
  return GuardedCall(PlatHandle{0}, [&] {
    Libraries().Reserve();
    HMODULE library = LoadLibraryW(Wide(name));
    if (library == nullptr) return Fail("LoadLibraryW failed", PlatHandle{0});
    return Libraries().Add(library);
  });
}

void* plat_get_proc_address(PlatHandle library, const char* name) {
  HMODULE* module = Libraries().Find(library);
  if (module == nullptr || name == nullptr) return Fail("not a library or no name", nullptr);
  void* symbol = reinterpret_cast<void*>(GetProcAddress(*module, name));
  return symbol != nullptr ? symbol : Fail(std::string("no export ") + name, nullptr);
}

int32_t plat_free_library(PlatHandle library) {
  HMODULE* module = Libraries().Find(library);
  if (module == nullptr) return Fail("not a library", 0);
  const BOOL freed = FreeLibrary(*module);
  Libraries().Remove(library);
  return freed ? 1 : 0;
}
