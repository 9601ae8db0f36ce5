// "mod" is the remainder of truncating division, with the sign of the dividend, so a negative
// selection read from the profile stays negative (and outside the grid) after a key. The sum is
// formed in 64 bits: a selection of INT32_MAX from the profile must not overflow.
#include "src/stamp/keys.h"

#include "src/core/module_state.h"
#include "src/stamp/rebuild.h"
#include "stamp/plugin.h"

namespace stamp {
namespace {

constexpr int64_t kCellCount = 12;
constexpr int64_t kStepBack = kCellCount - 1;
constexpr int64_t kStepForward = 1;

int32_t StepSelection(int64_t step) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  module.selection = static_cast<int32_t>((module.selection + step) % kCellCount);
  RebuildStamp(true);
  return STAMP_RESULT_PANEL_CHANGED;
}

}  // namespace

int32_t KeyPreviousCell() { return StepSelection(kStepBack); }

int32_t KeyNextCell() { return StepSelection(kStepForward); }

}  // namespace stamp
