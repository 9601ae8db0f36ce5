// The reduction buttons step in 64 bits: a reduction read from the profile may be any int32, and
// INT32_MAX + 1 or INT32_MIN - 1 must not overflow. Each button bounds only its own side, so a
// value outside 10..30 moves one step towards the range.
#include "src/panel/input.h"

#include <algorithm>
#include <array>

#include "src/core/module_state.h"
#include "src/panel/dial_angle.h"
#include "src/panel/file_button.h"
#include "src/panel/layout.h"
#include "src/stamp/rebuild.h"
#include "stamp/plugin.h"

namespace stamp {
namespace {

// The range the plus and minus buttons step the reduction within (30 is the whole cell).
constexpr int64_t kHighestButtonReduction = 30;
constexpr int64_t kLowestButtonReduction = 10;

// A control's action on pen-up, at the pen position in panel coordinates.
using ControlAction = void (*)(ModuleState& module, int32_t x, int32_t y);

struct Control {
  HitArea area;
  ControlAction act;
};

// A new angle changes only the rotation: the cell cache is turned again.
void TurnDial(ModuleState& module, int32_t x, int32_t y) {
  module.angle = DialAngle(x, y);
  RebuildStamp(false);
}

// Columns and rows of kCellSize from the grid's corner, cells numbered row by row.
void SelectCell(ModuleState& module, int32_t x, int32_t y) {
  const int32_t column = (x - kGridOrigin.x) / kCellSize;
  const int32_t row = (y - kGridOrigin.y) / kCellSize;
  module.selection = column + kCellColumns * row;
  RebuildStamp(true);
}

// Rebuilds even when the bound leaves the value as it was.
void RaiseReduction(ModuleState& module, int32_t, int32_t) {
  module.reduction =
      static_cast<int32_t>(std::min(int64_t{module.reduction} + 1, kHighestButtonReduction));
  RebuildStamp(true);
}

void LowerReduction(ModuleState& module, int32_t, int32_t) {
  module.reduction =
      static_cast<int32_t>(std::max(int64_t{module.reduction} - 1, kLowestButtonReduction));
  RebuildStamp(true);
}

void OpenLoadDialog(ModuleState& module, int32_t, int32_t) { RunFileButton(module); }

// In the order they are tested: the grid comes before the file button, which overlaps it.
constexpr std::array<Control, 5> kPenUpControls = {{
    {kGridHit, SelectCell},
    {kPlusHit, RaiseReduction},
    {kMinusHit, LowerReduction},
    {kDialHit, TurnDial},
    {kFileButtonHit, OpenLoadDialog},
}};

}  // namespace

int32_t PanelPenDown(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  module.dialDragging = false;
  if (!kDialHit.Contains(x, y)) return STAMP_RESULT_NOT_TAKEN;
  module.dialDragging = true;
  TurnDial(module, x, y);
  return STAMP_RESULT_PANEL_CHANGED;
}

int32_t PanelPenMove(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised || !kDialHit.Contains(x, y) || !module.dialDragging) {
    return STAMP_RESULT_NOT_TAKEN;
  }
  TurnDial(module, x, y);
  return STAMP_RESULT_PANEL_CHANGED;
}

int32_t PanelPenUp(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  module.dialDragging = false;
  for (const Control& control : kPenUpControls) {
    if (control.area.Contains(x, y)) {
      control.act(module, x, y);
      return STAMP_RESULT_PANEL_CHANGED;
    }
  }
  return STAMP_RESULT_NOT_TAKEN;
}

}  // namespace stamp
