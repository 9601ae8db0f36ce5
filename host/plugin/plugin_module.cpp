#include "host/plugin/plugin_module.h"

#include <stdexcept>
#include <string>

#include "host/plugin/plugin_library.h"
#include "platform/portable/text_encoding.h"

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
  const Result<void*> library = OpenLibrary(path);
  if (!library.ok()) {
    throw std::runtime_error("cannot load the plug-in " + platform::PathToUtf8(path) + ": " +
                             library.error());
  }
  library_ = *library;
  try {
#define STAMP_BIND_EXPORT(type, name, member) Bind(exports_.member, Find(kExportNames.member));
    STAMP_PLUGIN_EXPORTS(STAMP_BIND_EXPORT)
#undef STAMP_BIND_EXPORT
  } catch (...) {
    CloseLibrary(library_);
    throw;
  }
}

PluginModule::~PluginModule() { CloseLibrary(library_); }

void* PluginModule::Find(const char* name) const {
  void* symbol = LibrarySymbol(library_, name);
  if (symbol == nullptr) {
    throw std::runtime_error("the plug-in " + platform::PathToUtf8(path_) + " has no export " +
                             name);
  }
  return symbol;
}

}  // namespace stamp::host
