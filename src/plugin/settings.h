// The persisted StampSettings, kept in the host application's profile under the section and keys
// stamp/plugin.h names.
#pragma once

#include "src/core/stamp_settings.h"
#include "stamp/platform.h"

namespace stamp {

// Reads the four keys through the host's application object. Values are taken as they are,
// without range checks; absent keys give the defaults.
StampSettings ReadSettings(PlatApp* app);

// Writes the four keys (integers, then the path as a string).
void WriteSettings(PlatApp* app, const StampSettings& settings);

}  // namespace stamp
