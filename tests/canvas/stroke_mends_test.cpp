// Strokes that go wrong: pen move or pen up with no pen down before them, a negative
// whole-buffer byte count, and a cell key pressed in the middle of a stroke.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "canvas/stroke_fixture.h"
#include "src/canvas/stroke.h"
#include "stamp/plugin.h"
#include "support/preparation.h"

namespace stamp::test {
namespace {

enum class Before { StartUp, PenUp, RefusedPenDown };

class NoStrokeTest : public StrokeTest, public ::testing::WithParamInterface<Before> {};

// overlaySave holds no clean overlay and no host flags were saved: drawing from them would put a
// stale picture over the overlay and made-up values into the host's flags.
TEST_P(NoStrokeTest, PenMoveAndPenUpDrawNothing) {
  if (GetParam() == Before::PenUp) {
    ASSERT_EQ(PenDown(100, 100), STAMP_RESULT_OVERLAY_CHANGED);
    ASSERT_EQ(PenUp(100, 100), STAMP_RESULT_LAYER_CHANGED);
  }
  if (GetParam() == Before::RefusedPenDown) {
    const StrokeStamp loaded = std::exchange(stamp, std::nullopt);
    ASSERT_EQ(PenDown(100, 100), STAMP_RESULT_NOT_TAKEN);
    stamp = loaded;
  }
  FillCanvasRandom(host, STAMP_REC_OVERLAY_SAVE, 99);
  stroke.savedFlagA = 123;
  const HostState before = State();
  EXPECT_EQ(PenMove(50, 50), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(PenUp(50, 50), STAMP_RESULT_NOT_TAKEN);
  EXPECT_TRUE(State() == before);
}

std::string BeforeName(const ::testing::TestParamInfo<Before>& info) {
  constexpr const char* kNames[] = {"StartUp", "PenUp", "RefusedPenDown"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Since, NoStrokeTest,
                         ::testing::Values(Before::StartUp, Before::PenUp, Before::RefusedPenDown),
                         BeforeName);

class CopyBytesTest : public StrokeTest, public ::testing::WithParamInterface<int32_t> {};

// A byte count of 0 or less copies nothing: no snapshot and no saved overlay, though the stroke
// itself goes on.
TEST_P(CopyBytesTest, NonPositiveCountCopiesNothing) {
  host.setInt(STAMP_REC_CANVAS_COPY_BYTES, GetParam());
  host.setInt(STAMP_REC_ACTIVE_LAYER, 1);
  const Bytes undo = Canvas(STAMP_REC_UNDO_BUFFER);
  const Bytes overlaySave = Canvas(STAMP_REC_OVERLAY_SAVE);
  const Bytes layer = Canvas(STAMP_REC_LAYER1_BUFFER);
  ASSERT_EQ(PenDown(100, 100), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(host.getInt(STAMP_REC_UNDO_LAYER), 1);
  ASSERT_EQ(PenUp(100, 100), STAMP_RESULT_LAYER_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_UNDO_BUFFER) == undo);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_SAVE) == overlaySave);
  EXPECT_TRUE(Canvas(STAMP_REC_LAYER1_BUFFER) == Pressed(layer, 85, 85));
}

INSTANTIATE_TEST_SUITE_P(Counts, CopyBytesTest, ::testing::Values(0, -1, INT_MIN));

// A cell key rebuilds a reduced stamp while the stroke holds the clean overlay in overlaySave:
// the next preview and pen up still start from that clean overlay.
TEST_F(StrokeTest, CellKeyDuringAStrokeLeavesTheSavedOverlayClean) {
  Preparation preparation(host);
  preparation.Rebuild(0, 10, 0);
  UseStampSize(preparation.size().width, preparation.size().height);
  const Bytes overlay = Canvas(STAMP_REC_OVERLAY_BUFFER);
  ASSERT_EQ(PenDown(100, 100), STAMP_RESULT_OVERLAY_CHANGED);
  preparation.Rebuild(1, 10, 0);
  ASSERT_EQ(PenMove(120, 120), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == Pressed(overlay, 115, 115));
  ASSERT_EQ(PenUp(120, 120), STAMP_RESULT_LAYER_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == overlay);
}

}  // namespace
}  // namespace stamp::test
