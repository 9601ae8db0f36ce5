// The canvas stroke: pen down takes an undo snapshot of the active layer and shows the StampImage
// as a preview in the host's overlay, each move redraws the preview at the pen, pen up removes it
// and multiplies the StampImage into the active layer. A stroke stamps once.
#pragma once

#include <cstdint>
#include <optional>

#include "src/canvas/placement.h"
#include "src/core/host_context.h"

namespace stamp {

// The canvas's own state: whether a pen down has not yet been followed by pen up, and the host
// flags it saved at pen down.
struct Stroke {
  bool active = false;
  int32_t savedFlagA = 0;
  int32_t savedFlagB = 0;
};

// The stamp a stroke presses: none while no stamp sheet is loaded.
using StrokeStamp = std::optional<PreparedStamp>;

// plg_mouse_down, (x, y) in view coordinates. With no stamp shows "Please load stamp" and gives
// 0; otherwise starts a stroke and gives 9.
int32_t PenDown(Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x, int32_t y);

// plg_mouse_move, (x, y) in canvas coordinates: moves the preview and gives 9. Gives 0 and
// draws nothing with no stamp or no stroke under way.
int32_t PenMove(const Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x,
                int32_t y);

// plg_mouse_up, (x, y) in canvas coordinates: ends the stroke, restoring the host flags and the
// overlay, and stamps the active layer: 1. An activeLayer outside 0..2 has no layer to stamp:
// 9, as only the overlay changed. Gives 0 and changes nothing with no stamp or no stroke
// under way.
int32_t PenUp(Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x, int32_t y);

}  // namespace stamp
