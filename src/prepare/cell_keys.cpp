// "mod" is the remainder of truncating division, with the sign of the dividend, so a negative
// selection read from the profile stays negative (and outside the grid) after a key. The sum is
// formed in 64 bits: a selection of INT32_MAX from the profile must not overflow.
#include "src/prepare/cell_keys.h"

#include "src/core/panel_image_layout.h"

namespace stamp {
namespace {

constexpr int64_t kStepBack = kCellCount - 1;
constexpr int64_t kStepForward = 1;

int32_t StepSelection(int32_t selection, int64_t step) {
  return static_cast<int32_t>((selection + step) % kCellCount);
}

}  // namespace

int32_t PreviousCell(int32_t selection) { return StepSelection(selection, kStepBack); }

int32_t NextCell(int32_t selection) { return StepSelection(selection, kStepForward); }

}  // namespace stamp
