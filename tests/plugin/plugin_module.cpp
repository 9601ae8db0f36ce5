#include "plugin/plugin_module.h"

#include "stamp/plugin.h"
#include "support/test_host.h"

namespace stamp::test {

std::filesystem::path PluginPath() {
  return HostFolder() / STAMP_PLUGIN_FOLDER / STAMP_MODULE_FILE;
}

const PluginExports& Plugin() {
  static const host::PluginModule module(PluginPath());
  return module.exports();
}

}  // namespace stamp::test
