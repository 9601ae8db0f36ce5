// The plug-in's module state: one instance for the loaded module, valid between a successful
// plg_init and plg_destroy. Every export runs on the host's user-interface thread, one at a time,
// so the state needs no locking.
#pragma once

#include <cstdint>
#include <string>

#include "src/core/host_context.h"
#include "src/core/panel_image.h"
#include "src/core/rotated_size.h"
#include "src/core/stamp_sheet.h"

namespace stamp {

struct ModuleState {
  bool initialised = false;  // a plg_init succeeded and no plg_destroy followed
  HostContext host;
  int32_t selection = 0;   // stamp cell, 0..11 row-major (profile values are taken as read)
  int32_t angle = 0;       // whole degrees, positive turns counter-clockwise on screen
  int32_t reduction = 30;  // cell size after reduction; outside 5..29 means none
  std::u16string stampPath;
  bool stampLoaded = false;
  bool dialDragging = false;
  RotatedSize rotatedSize;    // the StampImage's size, from the last rotation
  bool strokeActive = false;  // a pen down on the canvas has not yet been followed by pen up
  int32_t savedFlagA = 0;
  int32_t savedFlagB = 0;
  PanelImage panel;
  StampSheet sheet;
};

ModuleState& Module();

}  // namespace stamp
