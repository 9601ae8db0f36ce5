// The canvas stroke: pen down takes an undo snapshot of the active layer and shows the StampImage
// as a preview in the host's overlay, each move redraws the preview at the pen, pen up removes it
// and multiplies the StampImage into the active layer. A stroke stamps once.
#pragma once

#include <cstdint>

namespace stamp {

// plg_mouse_down, (x, y) in view coordinates. With no stamp sheet loaded shows
// "Please load stamp" and gives 0; otherwise starts a stroke and gives 9. Outside a session 0.
int32_t PenDown(int32_t x, int32_t y);

// plg_mouse_move, (x, y) in canvas coordinates: moves the preview and gives 9. Gives 0 and
// draws nothing with no sheet loaded or no stroke under way.
int32_t PenMove(int32_t x, int32_t y);

// plg_mouse_up, (x, y) in canvas coordinates: ends the stroke, restoring the host flags and the
// overlay, and stamps the active layer: 1. An activeLayer outside 0..2 has no layer to stamp:
// 9, as only the overlay changed. Gives 0 and changes nothing with no sheet loaded or no stroke
// under way.
int32_t PenUp(int32_t x, int32_t y);

}  // namespace stamp
