// The cell keys step the selection with the truncating remainder, in 64 bits, and rebuild the
// stamp from the new cell.
#include <gtest/gtest.h>

#include <climits>

#include "src/core/module_state.h"
#include "src/stamp/keys.h"
#include "stamp/plugin.h"
#include "stamp_pipeline/session.h"

namespace stamp::test {
namespace {

struct KeyStep {
  int32_t from;
  int32_t previous;  // after plg_key_a
  int32_t next;      // after plg_key_b
};

class KeysTest : public SessionTest, public ::testing::WithParamInterface<KeyStep> {
 protected:
  void SetUp() override { FillCanvasRandom(host, STAMP_REC_STAMP_BUFFER, 5); }

  // Presses a key on the selection `from` and checks the result, the selection and the cache.
  void Press(int32_t (*key)(), int32_t expected) {
    Module().selection = GetParam().from;
    Bytes stamp = CanvasCopy(host, STAMP_REC_STAMP_BUFFER);
    ModelCellToCache(host, stamp, session.panel(), expected);
    EXPECT_EQ(key(), STAMP_RESULT_PANEL_CHANGED);
    EXPECT_EQ(Module().selection, expected);
    EXPECT_TRUE(SameCache(host, CanvasCopy(host, STAMP_REC_STAMP_BUFFER), stamp));
  }
};

TEST_P(KeysTest, KeyAStepsBackAndRebuilds) { Press(KeyPreviousCell, GetParam().previous); }

TEST_P(KeysTest, KeyBStepsForwardAndRebuilds) { Press(KeyNextCell, GetParam().next); }

INSTANTIATE_TEST_SUITE_P(Selections, KeysTest,
                         ::testing::Values(KeyStep{0, 11, 1}, KeyStep{11, 10, 0}, KeyStep{5, 4, 6},
                                           KeyStep{-1, 10, 0}, KeyStep{-13, -2, 0},
                                           KeyStep{INT_MAX, 6, 8}, KeyStep{INT_MIN, -9, -7}));

}  // namespace
}  // namespace stamp::test
