// A whole stroke on each layer and on a layer index outside 0..2: the undo snapshot, the moving
// preview, the host's flags and update rectangle, and the stamp multiplied into the right layer
// buffer at pen up.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "canvas/stroke_fixture.h"
#include "src/canvas/stroke.h"
#include "src/core/messages.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

constexpr int32_t kUntouched = -77;  // marks record fields an event must not write

class LayerStrokeTest : public StrokeTest, public ::testing::WithParamInterface<int32_t> {};

// An active layer outside 0..2 names none: no snapshot at pen down, and pen up ends the stroke
// (flags and overlay back) without writing a layer; only the overlay changed, so it reports 9.
TEST_P(LayerStrokeTest, StampsOnceIntoTheActiveLayerIfThereIsOne) {
  const int32_t layer = GetParam();
  const bool named = layer >= 0 && layer < kLayerCount;
  host.setInt(STAMP_REC_ACTIVE_LAYER, layer);
  host.setInt(STAMP_REC_UNDO_LAYER, kUntouched);
  const Bytes overlay = Canvas(STAMP_REC_OVERLAY_BUFFER);
  const Bytes undo = Canvas(STAMP_REC_UNDO_BUFFER);
  const std::array<Bytes, kLayerCount> layers = Layers();
  const Bytes& target = named ? layers[layer] : undo;
  const std::array<int32_t, 4> wholeCanvas = {0, 0, host.canvasHeight(), host.canvasWidth()};

  ASSERT_EQ(PenDown(100, 100), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(host.getInt(STAMP_REC_HOST_FLAG_A), 0);
  EXPECT_EQ(host.getInt(STAMP_REC_HOST_FLAG_B), 0);
  EXPECT_TRUE(Canvas(STAMP_REC_UNDO_BUFFER) == target) << "undo snapshot";
  EXPECT_EQ(host.getInt(STAMP_REC_UNDO_LAYER), named ? layer : kUntouched);
  for (int32_t other = 0; other < kLayerCount; ++other) {
    EXPECT_EQ(host.getInt(STAMP_REC_LAYER_TOUCHED + 4 * other), other == layer ? 1 : 0) << other;
  }
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_SAVE) == overlay);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == Pressed(overlay, 85, 85));
  EXPECT_EQ(UpdateRect(), wholeCanvas);

  host.setInt(STAMP_REC_UPDATE_RECT, kUntouched);
  ASSERT_EQ(PenMove(200, 150), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == Pressed(overlay, 185, 135)) << "first move";
  EXPECT_EQ(UpdateRect(), wholeCanvas);
  ASSERT_EQ(PenMove(301, 402), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == Pressed(overlay, 286, 387)) << "second move";

  host.setInt(STAMP_REC_UPDATE_RECT, kUntouched);
  ASSERT_EQ(PenUp(310, 420), named ? STAMP_RESULT_LAYER_CHANGED : STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(host.getInt(STAMP_REC_UPDATE_RECT), kUntouched) << "pen up wrote updateRect";
  EXPECT_EQ(host.getInt(STAMP_REC_HOST_FLAG_A), kFlagA);
  EXPECT_EQ(host.getInt(STAMP_REC_HOST_FLAG_B), kFlagB);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == overlay) << "overlay not restored";
  for (int32_t other = 0; other < kLayerCount; ++other) {
    const Bytes expected = other == layer ? Pressed(target, 295, 405) : layers[other];
    EXPECT_TRUE(Canvas(LayerField(other)) == expected) << "layer " << other;
  }
  EXPECT_TRUE(Canvas(STAMP_REC_UNDO_BUFFER) == target) << "undo changed after pen down";
}

INSTANTIATE_TEST_SUITE_P(Layers, LayerStrokeTest,
                         ::testing::Values(0, 1, 2, -1, 3, INT_MIN, INT_MAX), [](const auto& info) {
                           const int32_t layer = info.param;
                           return layer < 0 ? "Minus" + std::to_string(-int64_t{layer})
                                            : std::to_string(layer);
                         });

// The record keeps the layers in the order 0, 2, 1: layer 1's buffer is the one at byte 856.
TEST_F(StrokeTest, LayerOneIsTheBufferAtByte856) {
  host.setInt(STAMP_REC_ACTIVE_LAYER, 1);
  const Bytes at852 = Canvas(852);
  const Bytes at856 = Canvas(856);
  PenDown(100, 100);
  PenUp(100, 100);
  EXPECT_TRUE(Canvas(852) == at852);
  EXPECT_TRUE(Canvas(856) == Pressed(at856, 85, 85));
}

TEST_F(StrokeTest, WithoutASheetPenDownAsksForOneAndNothingChanges) {
  stamp = std::nullopt;
  const HostState before = State();
  EXPECT_EQ(PenDown(100, 100), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(PenMove(120, 120), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(PenUp(120, 120), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(ui.messages(), std::vector<std::u16string>{kPleaseLoadStamp});
  EXPECT_TRUE(State() == before);
}

}  // namespace
}  // namespace stamp::test
