// The plug-in module, loaded with dlopen (RTLD_NOW | RTLD_LOCAL) on Linux or LoadLibraryW on
// Windows, and its exports looked up by name. The module stays loaded for the life of
// the object.
#pragma once

#include <filesystem>

#include "stamp/plugin.h"

namespace stamp::host {

// The exports as stamp/plugin.h lists and types them, one slot each.
struct PluginExports {
#define STAMP_EXPORT_SLOT(type, name, member) type* member;
  STAMP_PLUGIN_EXPORTS(STAMP_EXPORT_SLOT)
#undef STAMP_EXPORT_SLOT
};

// Each export's name, in a table of the same slots.
struct PluginExportNames {
#define STAMP_EXPORT_NAME(type, name, member) const char* member = #name;
  STAMP_PLUGIN_EXPORTS(STAMP_EXPORT_NAME)
#undef STAMP_EXPORT_NAME
};
inline constexpr PluginExportNames kExportNames;

// Where a host keeps the module: STAMP_PLUGIN_FOLDER/STAMP_MODULE_FILE in its folder.
std::filesystem::path ModulePath(const std::filesystem::path& hostFolder);

class PluginModule {
 public:
  // Throws std::runtime_error naming the file and what is wrong: it cannot be loaded, or an
  // export is missing.
  explicit PluginModule(const std::filesystem::path& path);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const PluginExports& exports() const { return exports_; }

 private:
  void* Find(const char* name) const;

  std::filesystem::path path_;
  void* library_ = nullptr;
  PluginExports exports_{};
};

}  // namespace stamp::host
