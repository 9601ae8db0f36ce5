// The stamp preparation at start-up, the cell keys and a canvas stroke through the built
// kvo_stamp.plg, started on the panel file and a sample sheet of the host's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "canvas/press_model.h"
#include "plugin/module_fixture.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

constexpr int64_t kCacheY = 60;

class ModuleStrokeTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    FillCanvasRandom(host, STAMP_REC_OVERLAY_BUFFER, 61);
    FillCanvasRandom(host, STAMP_REC_LAYER2_BUFFER, 62);
  }

  // Starts on a sample sheet with the cell unreduced and unturned: RotatedSize is 30x30.
  void StartOnSampleSheet() {
    StoreSheetPath(WindowsPath(HostFolder() / "stamp" / "shapes.bmp"));
    ASSERT_EQ(Start(), 1);
    ASSERT_TRUE(ui.messages().empty());
  }
  Bytes Canvas(uint32_t field) const { return CanvasCopy(host, field); }
  const uint8_t* Stamp(int64_t x, int64_t y) const {
    const Plane stamp = CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER));
    return stamp.bytes + stamp.Inside(x, y);
  }
  Bytes CellCache() const {
    Bytes cache;
    for (int64_t y = 0; y < 30; ++y) {
      for (int64_t x = 0; x < 30; ++x)
        cache.insert(cache.end(), Stamp(x, kCacheY + y), Stamp(x, kCacheY + y) + 3);
    }
    return cache;
  }
};

// At angle 0 the StampImage is the cache darkened by 2 per channel, short of its last row and
// column, on white.
TEST_F(ModuleStrokeTest, StartUpPreparesTheSelectedCell) {
  StartOnSampleSheet();
  const Bytes cache = CellCache();
  EXPECT_TRUE(std::any_of(cache.begin(), cache.end(), [](uint8_t v) { return v != 255; }))
      << "no cell was copied into the cache";
  for (int64_t y = 0; y < 60; ++y) {
    for (int64_t x = 0; x < 60; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int expected = x < 29 && y < 29 ? std::max(Stamp(x, kCacheY + y)[c] - 2, 0) : 255;
        ASSERT_EQ(Stamp(x, y)[c], expected) << x << ", " << y;
      }
    }
  }
}

TEST_F(ModuleStrokeTest, KeysStepToTheNextCellAndBack) {
  StartOnSampleSheet();
  const Bytes first = CellCache();
  EXPECT_EQ(plugin.keyB(), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_NE(CellCache(), first);
  EXPECT_EQ(plugin.keyA(), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(CellCache(), first);
}

TEST_F(ModuleStrokeTest, StrokeStampsLayerTwoAndRestoresTheOverlay) {
  StartOnSampleSheet();
  host.setInt(STAMP_REC_ACTIVE_LAYER, 2);
  const Bytes overlay = Canvas(STAMP_REC_OVERLAY_BUFFER);
  const Bytes layer = Canvas(STAMP_REC_LAYER2_BUFFER);
  const Bytes otherLayers[] = {Canvas(STAMP_REC_LAYER0_BUFFER), Canvas(STAMP_REC_LAYER1_BUFFER)};
  EXPECT_EQ(plugin.mouseDown(100, 100), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == PressedStamp(host, 30, 30, overlay, 85, 85));
  EXPECT_EQ(plugin.mouseMove(0, 0, 150, 160), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(plugin.mouseMove(0, 0, 170, 180), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(plugin.mouseUp(170, 180), STAMP_RESULT_LAYER_CHANGED);
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == overlay);
  EXPECT_TRUE(Canvas(STAMP_REC_UNDO_BUFFER) == layer);
  const Bytes stamped = Canvas(STAMP_REC_LAYER2_BUFFER);
  EXPECT_NE(stamped, layer);
  EXPECT_TRUE(stamped == PressedStamp(host, 30, 30, layer, 155, 165));
  EXPECT_TRUE(Canvas(STAMP_REC_LAYER0_BUFFER) == otherLayers[0]);
  EXPECT_TRUE(Canvas(STAMP_REC_LAYER1_BUFFER) == otherLayers[1]);
}

TEST_F(ModuleStrokeTest, WithoutASheetPenDownAsksForOne) {
  ASSERT_EQ(Start(), 1);
  const Bytes overlay = Canvas(STAMP_REC_OVERLAY_BUFFER);
  EXPECT_EQ(plugin.mouseDown(100, 100), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(plugin.mouseMove(0, 0, 100, 100), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(plugin.mouseUp(100, 100), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(ui.messages(), Texts{u"Please load stamp"});
  EXPECT_TRUE(Canvas(STAMP_REC_OVERLAY_BUFFER) == overlay);
}

}  // namespace
}  // namespace stamp::test
