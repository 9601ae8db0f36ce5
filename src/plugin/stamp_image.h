// The StampImage of the running session: prepared from the module's PanelImage and settings in
// the record's buffers, and handed to the canvas and the panel with its size.
#pragma once

#include "src/canvas/stroke.h"
#include "src/plugin/module_state.h"
#include "src/prepare/rebuild.h"

namespace stamp {

// stampBuffer and scratchBuffer of the module's record.
StampBuffers RecordStampBuffers(const HostContext& host);

// Takes the selected cell afresh and turns it; keeps the StampImage's size in the module.
void PrepareStampImage(ModuleState& module);

// Turns the cell cache by the settings' angle only; keeps the size in the module.
void TurnStampImage(ModuleState& module);

// The stamp a canvas stroke presses: none while no stamp sheet is loaded.
StrokeStamp StampForStroke(const ModuleState& module);

}  // namespace stamp
