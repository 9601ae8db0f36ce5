#include "plugin/plugin_module.h"

#include "support/test_host.h"

namespace stamp::test {

std::filesystem::path PluginPath() { return HostFolder() / "plugin" / "kvo_stamp.plg"; }

const PluginExports& Plugin() {
  static const host::PluginModule module(PluginPath());
  return module.exports();
}

}  // namespace stamp::test
