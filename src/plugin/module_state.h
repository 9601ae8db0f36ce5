// The plug-in's module state: one instance for the loaded module, valid between a successful
// plg_init and plg_destroy, reached only by the exports' layer. Every export runs on the host's
// user-interface thread, one at a time, so the state needs no locking.
#pragma once

#include "src/canvas/stroke.h"
#include "src/core/host_context.h"
#include "src/core/rotated_size.h"
#include "src/core/stamp_settings.h"
#include "src/images/panel_image.h"
#include "src/images/stamp_sheet.h"
#include "src/panel/input.h"

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

}  // namespace stamp
