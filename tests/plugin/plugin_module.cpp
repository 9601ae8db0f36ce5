#include "plugin/plugin_module.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "support/test_host.h"

namespace stamp::test {
namespace {

template <typename Function>
void Bind(void* library, const char* name, Function& function) {
  void* address = dlsym(library, name);
  if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
  function = reinterpret_cast<Function>(address);
}

PluginModule Load() {
  void* library = dlopen(PluginPath().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) throw std::runtime_error(dlerror());
  PluginModule module{};
  Bind(library, "plg_init", module.init);
  Bind(library, "plg_destroy", module.destroy);
  Bind(library, "plg_info", module.info);
  Bind(library, "plg_version", module.version);
  Bind(library, "plg_update_submenu", module.updateSubmenu);
  Bind(library, "plg_submenu_down", module.submenuDown);
  Bind(library, "plg_submenu_move", module.submenuMove);
  Bind(library, "plg_submenu_up", module.submenuUp);
  Bind(library, "plg_mouse_down", module.mouseDown);
  Bind(library, "plg_mouse_move", module.mouseMove);
  Bind(library, "plg_mouse_up", module.mouseUp);
  Bind(library, "plg_key_a", module.keyA);
  Bind(library, "plg_key_b", module.keyB);
  return module;
}

}  // namespace

std::filesystem::path PluginPath() { return HostFolder() / "plugin" / "kvo_stamp.plg"; }

const PluginModule& Plugin() {
  static const PluginModule module = Load();
  return module;
}

}  // namespace stamp::test
