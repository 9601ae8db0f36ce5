// The plug-in module, loaded with dlopen (RTLD_NOW | RTLD_LOCAL) and its thirteen exports looked
// up by name. The module stays loaded for the life of the object.
#pragma once

#include <cstdint>
#include <filesystem>

namespace stamp::host {

struct PluginExports {
  int32_t (*init)(void* record);
  int32_t (*destroy)();
  const char* (*info)();
  int32_t (*version)();
  int32_t (*updateSubmenu)();
  int32_t (*submenuDown)(int32_t x, int32_t y);
  int32_t (*submenuMove)(int32_t x, int32_t y);
  int32_t (*submenuUp)(int32_t x, int32_t y);
  int32_t (*mouseDown)(int32_t x, int32_t y);
  int32_t (*mouseMove)(int32_t ignoredA, int32_t ignoredB, int32_t x, int32_t y);
  int32_t (*mouseUp)(int32_t x, int32_t y);
  int32_t (*keyA)();
  int32_t (*keyB)();
};

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
