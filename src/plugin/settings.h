// The persisted StampSettings: selection, angle, reduction and stampPath, kept in the host
// application's profile under the section "plugin_kvo_stamp".
#pragma once

#include "src/core/module_state.h"

namespace stamp {

// Reads the four keys through the host's profileApp into the module state. Values are taken as
// they are, without range checks; absent keys give 0, 0, 30 and the empty path.
void ReadSettings(ModuleState& module);

// Writes the four keys from the module state (integers, then the path as a string).
void WriteSettings(const ModuleState& module);

}  // namespace stamp
