#include "host/record/plugin_module.h"

#include <stdexcept>
#include <string>

#include "host/record/plugin_library.h"

namespace stamp::host {
namespace {

// The system gives an object pointer; the exports are functions of the stated types.
template <typename Function>
void Bind(Function*& slot, void* symbol) {
  slot = reinterpret_cast<Function*>(symbol);
}

}  // namespace

std::filesystem::path ModulePath(const std::filesystem::path& hostFolder) {
  return hostFolder / STAMP_PLUGIN_FOLDER / STAMP_MODULE_FILE;
}

PluginModule::PluginModule(const std::filesystem::path& path) : path_(path) {
  std::string why;
  library_ = OpenLibrary(path, &why);
  if (library_ == nullptr) {
    throw std::runtime_error("cannot load the plug-in " + path.string() + ": " + why);
  }
  try {
    Bind(exports_.init, Find("plg_init"));
    Bind(exports_.destroy, Find("plg_destroy"));
    Bind(exports_.info, Find("plg_info"));
    Bind(exports_.version, Find("plg_version"));
    Bind(exports_.updateSubmenu, Find("plg_update_submenu"));
    Bind(exports_.submenuDown, Find("plg_submenu_down"));
    Bind(exports_.submenuMove, Find("plg_submenu_move"));
    Bind(exports_.submenuUp, Find("plg_submenu_up"));
    Bind(exports_.mouseDown, Find("plg_mouse_down"));
    Bind(exports_.mouseMove, Find("plg_mouse_move"));
    Bind(exports_.mouseUp, Find("plg_mouse_up"));
    Bind(exports_.keyA, Find("plg_key_a"));
    Bind(exports_.keyB, Find("plg_key_b"));
  } catch (...) {
    CloseLibrary(library_);
    throw;
  }
}

PluginModule::~PluginModule() { CloseLibrary(library_); }

void* PluginModule::Find(const char* name) const {
  void* symbol = LibrarySymbol(library_, name);
  if (symbol == nullptr) {
    throw std::runtime_error("the plug-in " + path_.string() + " has no export " + name);
  }
  return symbol;
}

}  // namespace stamp::host
