// The panel's file button: the load dialog, run modally with the task bar and the input-panel
// button shown, and the host's screen layout given back afterwards.
#pragma once

#include "src/core/module_state.h"

namespace stamp {

// Runs the load dialog on the current stampPath. On OK takes the chosen path, loads the sheet
// (a sheet that fails shows its own message), resets angle and selection to 0 and rebuilds the
// stamp with extraction; any other end leaves every setting as it was. Either way the frame
// window is then given the whole screen and the task bar and input-panel button are hidden
// again. A record without a frame window object skips only the re-positioning.
void RunFileButton(ModuleState& module);

}  // namespace stamp
