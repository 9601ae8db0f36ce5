// The plug-in's module state: one instance for the loaded module, valid between a successful
// plg_init and plg_destroy, reached only by the exports' layer, and the StampImage it keeps in
// the record's buffers. Every export runs on the host's user-interface thread, one at a time, so
// the state needs no locking.
#pragma once

#include "src/canvas/stroke.h"
#include "src/core/host_context.h"
#include "src/core/rotated_size.h"
#include "src/core/stamp_settings.h"
#include "src/images/panel_image.h"
#include "src/images/stamp_sheet.h"
#include "src/panel/input.h"
#include "src/prepare/rebuild.h"

namespace stamp {

struct ModuleState {
  bool initialised = false;  // a plg_init succeeded and no plg_destroy followed
  HostContext host;
  StampSettings settings;
  PanelImage panelImage;
  StampSheet sheet;
  RotatedSize stampSize;  // the StampImage's size, from the last rotation
  DialDrag drag;
  Stroke stroke;
};

ModuleState& Module();

// The StampImage of the running session, prepared from the module's PanelImage and settings in
// stampBuffer (scratchBuffer holding the steps between): the selected cell taken afresh and
// turned, or the cell cache turned by the settings' angle only. Either keeps its size in the
// module.
void PrepareStampImage(ModuleState& module);
void TurnStampImage(ModuleState& module);

// The stamp a canvas stroke presses: none while no stamp sheet is loaded.
StrokeStamp StampForStroke(const ModuleState& module);

}  // namespace stamp
