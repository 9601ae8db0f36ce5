// The built kvo_stamp.plg, loaded from the host's folder with the host's own module loader and
// kept loaded for the life of the test program.
#pragma once

#include <filesystem>

#include "host/record/plugin_module.h"

namespace stamp::test {

using host::PluginExports;

std::filesystem::path PluginPath();

// Throws when the module or one of its exports cannot be found.
const PluginExports& Plugin();

}  // namespace stamp::test
