// The built kvo_stamp.plg, loaded from the host's folder the way a host loads it, with its
// thirteen exports looked up by name.
#pragma once

#include <cstdint>
#include <filesystem>

namespace stamp::test {

struct PluginModule {
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

std::filesystem::path PluginPath();

// Loads the module once for the test program and keeps it loaded; throws when the module or
// one of its exports cannot be found.
const PluginModule& Plugin();

}  // namespace stamp::test
