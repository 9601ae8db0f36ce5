// Canvas strokes on a TestHost with random canvas layers, overlay and StampImage and the host
// flags set, on the stroke's own state and the stamp it presses:
// - a whole stroke on each layer and on a layer index outside 0..2: the undo snapshot, the moving
//   preview, the host's flags and update rectangle, and the stamp multiplied into the right layer
//   buffer at pen up;
// - where pen down shows the preview: the view point less the view origin, shifted by the low 8
//   bits of zoomShift, is the stamp's centre; the top-left corner is that less half the stamp's
//   size, each in wrapping 32-bit arithmetic;
// - strokes that go wrong: pen move or pen up with no pen down before them, a negative
//   whole-buffer byte count, and a cell key pressed in the middle of a stroke.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "canvas/press_model.h"
#include "src/canvas/stroke.h"
#include "src/core/host_context.h"
#include "src/core/messages.h"
#include "stamp/plugin.h"
#include "support/plane.h"
#include "support/plugin_test.h"
#include "support/preparation.h"

namespace stamp::test {
namespace {

constexpr int32_t kFlagA = 7;
constexpr int32_t kFlagB = -3;
constexpr int32_t kLayerCount = 3;
constexpr int32_t kUntouched = -77;  // marks record fields an event must not write

constexpr uint32_t kCanvasFields[] = {STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER,
                                      STAMP_REC_LAYER0_BUFFER,  STAMP_REC_LAYER2_BUFFER,
                                      STAMP_REC_LAYER1_BUFFER,  STAMP_REC_OVERLAY_SAVE,
                                      STAMP_REC_SCRATCH_BUFFER, STAMP_REC_STAMP_BUFFER};

// The record offset of a layer's buffer.
uint32_t LayerField(int32_t layer) { return static_cast<uint32_t>(stamp_rec_layer_buffer(layer)); }

// The record and every canvas-sized buffer.
struct HostState {
  Bytes record;
  std::vector<Bytes> buffers;
  bool operator==(const HostState&) const = default;
};

class StrokeTest : public PluginTest {
 protected:
  void SetUp() override {
    uint32_t seed = 40;
    for (const uint32_t field : kCanvasFields) FillCanvasRandom(host, field, ++seed);
    host.setInt(STAMP_REC_HOST_FLAG_A, kFlagA);
    host.setInt(STAMP_REC_HOST_FLAG_B, kFlagB);
    UseStampSize(30, 30);
  }

  // The three pen events of the stroke, on the fixture's stroke and stamp.
  int32_t PenDown(int32_t x, int32_t y) { return stamp::PenDown(stroke, context, stamp, x, y); }
  int32_t PenMove(int32_t x, int32_t y) { return stamp::PenMove(stroke, context, stamp, x, y); }
  int32_t PenUp(int32_t x, int32_t y) { return stamp::PenUp(stroke, context, stamp, x, y); }

  // A StampImage of this size: the random pixels at the top-left of stampBuffer.
  void UseStampSize(int32_t width, int32_t height) {
    stamp = PreparedStamp{context.canvasView(context.stampBuffer()), {width, height}};
  }
  // target after the StampImage was pressed with its top-left at (left, top).
  Bytes Pressed(Bytes target, int64_t left, int64_t top) const {
    return PressedStamp(host, stamp->size.width, stamp->size.height, std::move(target), left, top);
  }
  Bytes Canvas(uint32_t field) const { return CanvasCopy(host, field); }
  HostState State() const {
    HostState state{Bytes(host.record(), host.record() + STAMP_REC_SIZE), {}};
    for (const uint32_t field : kCanvasFields) state.buffers.push_back(Canvas(field));
    return state;
  }
  // The three layers' buffers, by layer number.
  std::array<Bytes, kLayerCount> Layers() const {
    std::array<Bytes, kLayerCount> layers;
    for (int32_t layer = 0; layer < kLayerCount; ++layer) layers[layer] = Canvas(LayerField(layer));
    return layers;
  }
  // The four numbers of the record's updateRect, in record order.
  std::array<int32_t, 4> UpdateRect() const {
    std::array<int32_t, 4> rect{};
    for (uint32_t i = 0; i < rect.size(); ++i) rect[i] = host.getInt(STAMP_REC_UPDATE_RECT + 4 * i);
    return rect;
  }

  HostContext context{host.record()};
  Stroke stroke;
  StrokeStamp stamp;
};

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

struct Placement {
  const char* name;
  int32_t x, y;          // the pen, in view coordinates
  int32_t viewX, viewY;  // the view origin
  int32_t zoomShift;
  int32_t width, height;  // RotatedSize
  int64_t left, top;      // where the stamp's top-left lands
};

class PlacementTest : public StrokeTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(PlacementTest, BlendsThePreviewAtTheConvertedPoint) {
  const Placement& p = GetParam();
  host.setInt(STAMP_REC_VIEW_X, p.viewX);
  host.setInt(STAMP_REC_VIEW_Y, p.viewY);
  host.setInt(STAMP_REC_ZOOM_SHIFT, p.zoomShift);
  UseStampSize(p.width, p.height);
  const Bytes expected = Pressed(Canvas(STAMP_REC_OVERLAY_BUFFER), p.left, p.top);
  EXPECT_EQ(PenDown(p.x, p.y), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == expected) << "preview misplaced";
}

INSTANTIATE_TEST_SUITE_P(
    Points, PlacementTest,
    ::testing::Values(
        Placement{"ViewOriginZeroZoomZero", 100, 80, 0, 0, 0, 30, 30, 85, 65},
        Placement{"ZoomOneDoublesAfterTheOrigin", 100, 80, 20, 10, 1, 30, 30, 145, 125},
        Placement{"OnlyTheLowEightBitsShift", 100, 80, 20, 10, 0x7F01, 30, 30, 145, 125},
        Placement{"OddWidthPlacesAtTheCentreLessTen", 100, 80, 0, 0, 0, 21, 21, 90, 70},
        Placement{"SidesHalvedEachByItself", 100, 80, 0, 0, 0, 41, 10, 80, 75},
        Placement{"NegativeOffsetShiftsAsBits", 10, 50, 20, 0, 1, 30, 30, -35, 85},
        Placement{"ShiftOf32GivesPointZero", 100, 80, 0, 0, 32, 30, 30, -15, -15},
        Placement{"ShiftOf255GivesPointZero", 100, 80, 0, 0, 255, 30, 30, -15, -15},
        Placement{"ViewSubtractionWraps", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 30, 30, -14, -14},
        Placement{"ShiftDropsTheHighBits", 0x40000020, 0x40000010, 0, 0, 2, 30, 30, 113, 49},
        Placement{"CornerWrapsFarOutside", INT_MIN + 5, 100, 0, 0, 0, 30, 30, INT_MAX - 9, 85}),
    [](const auto& info) { return std::string(info.param.name); });

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
