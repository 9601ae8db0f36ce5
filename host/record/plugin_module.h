// The plug-in module, loaded with dlopen (RTLD_NOW | RTLD_LOCAL) on Linux or LoadLibraryW on
// Windows, and its thirteen exports looked up by name. The module stays loaded for the life of
// the object.
#pragma once

#include <filesystem>

#include "stamp/plugin.h"

namespace stamp::host {

// The exports as stamp/plugin.h types them.
struct PluginExports {
  PlgInit* init;
  PlgDestroy* destroy;
  PlgInfo* info;
  PlgVersion* version;
  PlgUpdateSubmenu* updateSubmenu;
  PlgSubmenuDown* submenuDown;
  PlgSubmenuMove* submenuMove;
  PlgSubmenuUp* submenuUp;
  PlgMouseDown* mouseDown;
  PlgMouseMove* mouseMove;
  PlgMouseUp* mouseUp;
  PlgKeyA* keyA;
  PlgKeyB* keyB;
};

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
