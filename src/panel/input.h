// Pen input on the tool panel, in panel coordinates. Pen-down and pen-move serve only the dial,
// so it follows a dragged pen; every other control acts when the pen is lifted. Each handler
// gives 2 when it acted on a control, 0 when it took no action or no session runs.
#pragma once

#include <cstdint>

namespace stamp {

// plg_submenu_down: ends any drag; inside the dial starts one, sets the angle and re-rotates
// the stamp.
int32_t PanelPenDown(int32_t x, int32_t y);

// plg_submenu_move: while a drag that began in the dial goes on, a position inside the dial sets
// the angle and re-rotates the stamp. A position outside gives 0 and the drag goes on.
int32_t PanelPenMove(int32_t x, int32_t y);

// plg_submenu_up: ends any drag; the first control under the pen, in the order cell grid, plus,
// minus, dial, file button, acts.
int32_t PanelPenUp(int32_t x, int32_t y);

}  // namespace stamp
