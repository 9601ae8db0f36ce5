// The cell keys step the selection with the truncating remainder, in 64 bits.
#include <gtest/gtest.h>

#include <climits>

#include "src/prepare/cell_keys.h"

namespace stamp {
namespace {

struct KeyStep {
  int32_t from;
  int32_t previous;  // after plg_key_a
  int32_t next;      // after plg_key_b
};

TEST(CellKeysTest, StepBackAndForwardThroughTheTwelveCells) {
  const KeyStep steps[] = {{0, 11, 1},   {11, 10, 0},  {5, 4, 6},          {-1, 10, 0},
                           {-13, -2, 0}, {INT_MAX, 6, 8}, {INT_MIN, -9, -7}};
  for (const KeyStep& step : steps) {
    EXPECT_EQ(PreviousCell(step.from), step.previous) << step.from;
    EXPECT_EQ(NextCell(step.from), step.next) << step.from;
  }
}

}  // namespace
}  // namespace stamp
