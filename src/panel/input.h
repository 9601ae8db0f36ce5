// The user's input to the tool outside the canvas: pen input on the tool panel, in panel
// coordinates, and the two cell keys. Pen-down and pen-move serve only the dial, so it follows a
// dragged pen; every other control acts when the pen is lifted. Each handler changes the
// settings it acts on and tells what the StampImage now needs; the caller rebuilds it (and runs
// the file button).
#pragma once

#include <cstdint>

#include "src/core/stamp_settings.h"

namespace stamp {

// The panel's own state: whether a drag that began in the dial goes on.
struct DialDrag {
  bool dragging = false;
};

// What a panel event asks of the StampImage.
enum class PanelChange {
  kNone,         // no control acted
  kTurned,       // the angle changed: turn the cell cache again
  kCellChanged,  // the cell or the reduction changed: take the cell afresh
  kFileButton,   // the file button was pressed: run the load dialog
};

// plg_submenu_down: ends any drag; inside the dial starts one and sets the angle.
PanelChange PanelPenDown(DialDrag& drag, StampSettings& settings, int32_t x, int32_t y);

// plg_submenu_move: while a drag that began in the dial goes on, a position inside the dial sets
// the angle. A position outside changes nothing and the drag goes on.
PanelChange PanelPenMove(const DialDrag& drag, StampSettings& settings, int32_t x, int32_t y);

// plg_submenu_up: ends any drag; the first control under the pen, in the order cell grid, plus,
// minus, dial, file button, acts.
PanelChange PanelPenUp(DialDrag& drag, StampSettings& settings, int32_t x, int32_t y);

// The cell keys: plg_key_a steps back and plg_key_b forward through the twelve cells of the stamp
// sheet, each giving the newly selected cell: (selection + 11) mod 12, so cell 0 goes to 11, and
// (selection + 1) mod 12, so cell 11 goes to 0.
int32_t PreviousCell(int32_t selection);
int32_t NextCell(int32_t selection);

}  // namespace stamp
