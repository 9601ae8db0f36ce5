// Every cell at every reduction the panel offers, turned through the whole circle, and every cell
// on canvases too small for the stamp areas: nothing is written outside the areas the
// preparation owns, nor into any guard zone.
#include <gtest/gtest.h>

#include <vector>

#include "src/core/panel_image_layout.h"
#include "support/preparation.h"

namespace stamp::test {
namespace {

constexpr int32_t kLargestBox = 42;

std::vector<int32_t> SweepAngles() {
  std::vector<int32_t> angles{0, 90, -90, 180, 270};
  for (int32_t angle = -180; angle <= 180; angle += 7) angles.push_back(angle);
  return angles;
}

// Pixels of the buffers the preparation must not write: outside the white square and the cell
// cache of stampBuffer, outside the cell's square of scratchBuffer.
bool OutsideStampArea(int64_t x, int64_t y) { return !((x < 60 && y < 60) || (x < 30 && y < 90)); }
bool OutsideScratchArea(int64_t x, int64_t y) { return !(x < 30 && y < 30); }

class SweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillCanvasRandom(host, STAMP_REC_STAMP_BUFFER, 21);
    FillCanvasRandom(host, STAMP_REC_SCRATCH_BUFFER, 22);
    FillCanvasRandom(host, STAMP_REC_OVERLAY_SAVE, 23);
  }

  TestHost host{64, 96};  // just room for the square and the cache below it
  Preparation preparation{host};
};

TEST_F(SweepTest, EveryCellReductionAndAngleStaysInItsAreas) {
  const Bytes stamp = CanvasCopy(host, STAMP_REC_STAMP_BUFFER);
  const Bytes scratch = CanvasCopy(host, STAMP_REC_SCRATCH_BUFFER);
  const Bytes overlaySave = CanvasCopy(host, STAMP_REC_OVERLAY_SAVE);
  const Bytes panel(preparation.panel(), preparation.panel() + kPanelImageBytes);
  for (int32_t selection = 0; selection < kCellCount; ++selection) {
    for (int32_t reduction = 10; reduction <= 30; ++reduction) {
      SCOPED_TRACE(::testing::Message() << "cell " << selection << ", size " << reduction);
      preparation.Rebuild(selection, reduction, 0);
      for (const int32_t angle : SweepAngles()) {
        preparation.Rebuild(selection, reduction, angle, false);
        ASSERT_LE(preparation.size().width, kLargestBox) << angle;
        ASSERT_LE(preparation.size().height, kLargestBox) << angle;
      }
      ASSERT_TRUE(host.guardsIntact());
      ASSERT_TRUE(preparation.panelGuardsIntact());
      ASSERT_TRUE(
          SamePixels(host, CanvasCopy(host, STAMP_REC_STAMP_BUFFER), stamp, OutsideStampArea));
      ASSERT_TRUE(SamePixels(host, CanvasCopy(host, STAMP_REC_SCRATCH_BUFFER), scratch,
                             OutsideScratchArea));
      ASSERT_TRUE(CanvasCopy(host, STAMP_REC_OVERLAY_SAVE) == overlaySave);
      ASSERT_TRUE(Bytes(preparation.panel(), preparation.panel() + kPanelImageBytes) == panel);
    }
  }
}

struct CanvasSize {
  int32_t width;
  int32_t height;
};

class SmallCanvasTest : public ::testing::TestWithParam<CanvasSize> {};

// The areas wrap into rows above by the byte-index rule or fall outside; none leaves the buffer.
TEST_P(SmallCanvasTest, PreparesEveryCellWithinTheBuffers) {
  TestHost host(GetParam().width, GetParam().height);
  {
    Preparation preparation(host);
    for (int32_t selection = 0; selection < kCellCount; ++selection) {
      for (const int32_t reduction : {10, 30}) {
        for (const int32_t angle : {0, 45, -150}) preparation.Rebuild(selection, reduction, angle);
      }
    }
    EXPECT_TRUE(preparation.panelGuardsIntact());
  }
  EXPECT_TRUE(host.guardsIntact());
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmallCanvasTest,
                         ::testing::Values(CanvasSize{1, 1}, CanvasSize{2, 3}, CanvasSize{20, 20},
                                           CanvasSize{30, 30}, CanvasSize{59, 89},
                                           CanvasSize{200, 40}));

}  // namespace
}  // namespace stamp::test
