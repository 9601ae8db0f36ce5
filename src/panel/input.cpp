// The reduction buttons step in 64 bits: a reduction read from the profile may be any int32, and
// INT32_MAX + 1 or INT32_MIN - 1 must not overflow. Each button bounds only its own side, so a
// value outside the buttons' range moves one step towards it.
// The cell keys' "mod" is the remainder of truncating division, with the sign of the dividend, so
// a negative selection read from the profile stays negative (and outside the grid) after a key.
// The sum is formed in 64 bits: a selection of INT32_MAX from the profile must not overflow.
#include "src/panel/input.h"

#include <algorithm>
#include <array>

#include "src/panel/dial_angle.h"
#include "src/panel/layout.h"

namespace stamp {
namespace {

// A control's action on pen-up, at the pen position in panel coordinates.
using ControlAction = PanelChange (*)(StampSettings& settings, int32_t x, int32_t y);

struct Control {
  HitArea area;
  ControlAction act;
};

// A new angle changes only the rotation: the cell cache is turned again.
PanelChange TurnDial(StampSettings& settings, int32_t x, int32_t y) {
  settings.angle = DialAngle(x, y);
  return PanelChange::kTurned;
}

// Columns and rows of kCellSize from the grid's corner, cells numbered row by row.
PanelChange SelectCell(StampSettings& settings, int32_t x, int32_t y) {
  const int32_t column = (x - kGridOrigin.x) / kCellSize;
  const int32_t row = (y - kGridOrigin.y) / kCellSize;
  settings.selection = column + kCellColumns * row;
  return PanelChange::kCellChanged;
}

// The cell is taken afresh even when the bound leaves the value as it was.
PanelChange RaiseReduction(StampSettings& settings, int32_t, int32_t) {
  settings.reduction = static_cast<int32_t>(
      std::min<int64_t>(int64_t{settings.reduction} + 1, kHighestButtonReduction));
  return PanelChange::kCellChanged;
}

PanelChange LowerReduction(StampSettings& settings, int32_t, int32_t) {
  settings.reduction = static_cast<int32_t>(
      std::max<int64_t>(int64_t{settings.reduction} - 1, kLowestButtonReduction));
  return PanelChange::kCellChanged;
}

PanelChange PressFileButton(StampSettings&, int32_t, int32_t) { return PanelChange::kFileButton; }

constexpr int64_t kStepBack = kCellCount - 1;
constexpr int64_t kStepForward = 1;

int32_t StepSelection(int32_t selection, int64_t step) {
  return static_cast<int32_t>((selection + step) % kCellCount);
}

// In the order they are tested: the grid comes before the file button, which overlaps it.
constexpr std::array<Control, 5> kPenUpControls = {{
    {kGridHit, SelectCell},
    {kPlusHit, RaiseReduction},
    {kMinusHit, LowerReduction},
    {kDialHit, TurnDial},
    {kFileButtonHit, PressFileButton},
}};

}  // namespace

PanelChange PanelPenDown(DialDrag& drag, StampSettings& settings, int32_t x, int32_t y) {
  drag.dragging = kDialHit.Contains(x, y);
  if (!drag.dragging) return PanelChange::kNone;
  return TurnDial(settings, x, y);
}

PanelChange PanelPenMove(const DialDrag& drag, StampSettings& settings, int32_t x, int32_t y) {
  if (!kDialHit.Contains(x, y) || !drag.dragging) return PanelChange::kNone;
  return TurnDial(settings, x, y);
}

PanelChange PanelPenUp(DialDrag& drag, StampSettings& settings, int32_t x, int32_t y) {
  drag.dragging = false;
  for (const Control& control : kPenUpControls) {
    if (control.area.Contains(x, y)) return control.act(settings, x, y);
  }
  return PanelChange::kNone;
}

int32_t PreviousCell(int32_t selection) { return StepSelection(selection, kStepBack); }

int32_t NextCell(int32_t selection) { return StepSelection(selection, kStepForward); }

}  // namespace stamp
