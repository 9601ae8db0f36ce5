// The panel's file button: the load dialog, run modally with the task bar and the input-panel
// button shown, and the host's screen layout given back afterwards.
#pragma once

#include <functional>
#include <string>

#include "src/core/host_context.h"

namespace stamp {

// What the caller does with the path the user chose (load the sheet, reset the dials, rebuild):
// it runs while the dialog's screen layout still stands.
using SheetChosen = std::function<void(const std::u16string& path)>;

// Runs the load dialog on currentPath. On OK gives the chosen path to chosen; any other end
// changes nothing. Either way the frame window is then given the whole screen and the task bar
// and input-panel button are hidden again. A record without a frame window object skips only
// the re-positioning.
void RunFileButton(const HostContext& host, const std::u16string& currentPath,
                   const SheetChosen& chosen);

}  // namespace stamp
