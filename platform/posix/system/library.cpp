// Shared libraries by file name. A name is looked for beside the running program first (the
// folder of its path), then handed to the system loader as given, which searches its usual
// places. Each handle holds one reference to the library; freeing the handle drops it.
#include <dlfcn.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/system/handle_table.h"
#include "platform/posix/system/program_path.h"

namespace stamp::platform {
namespace {

class Library final : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Library;
  explicit Library(void* module) : module_(module) {}
  ~Library() override { ::dlclose(module_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ObjectKind kind() const override { return kKind; }
  void* Symbol(const char* name) const { return ::dlsym(module_, name); }

 private:
  void* module_;
};

// The name beside the running program, when that file exists.
std::optional<std::string> BesideProgram(const std::string& name) {
  const std::optional<std::string> program = ProgramPath();
  if (!program || name.starts_with('/')) return std::nullopt;
  const size_t slash = program->rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  std::string path = program->substr(0, slash + 1) + name;
  if (::access(path.c_str(), F_OK) != 0) return std::nullopt;
  return path;
}

PlatHandle LoadLibrary(const std::string& name) {
  const std::optional<std::string> beside = BesideProgram(name);
  void* module = ::dlopen(beside.value_or(name).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr)
    return Fail("cannot load library " + name + ": " + ::dlerror(), PlatHandle{0});
  return AddObject(std::make_unique<Library>(module));
}

}  // namespace
}  // namespace stamp::platform

using namespace stamp::platform;

PlatHandle plat_load_library(const char16_t* name) {
  if (name == nullptr || *name == u'\0') return Fail("no library name", PlatHandle{0});
  return GuardedCall(PlatHandle{0}, [&] { return LoadLibrary(ToFileSystemPath(name)); });
}

void* plat_get_proc_address(PlatHandle library, const char* name) {
  const Library* loaded = Find<Library>(library);
  if (loaded == nullptr || name == nullptr) return Fail("not a library or no name", nullptr);
  void* symbol = loaded->Symbol(name);
  return symbol != nullptr ? symbol : Fail(std::string("no export ") + name, nullptr);
}

int32_t plat_free_library(PlatHandle library) {
  if (Find<Library>(library) == nullptr) return Fail("not a library", 0);
  return RemoveObject(library) ? 1 : 0;
}
