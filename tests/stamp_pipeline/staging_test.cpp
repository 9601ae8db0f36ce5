// A reduced cell is staged in the StampImage square of stampBuffer, not in overlaySave, which
// holds the clean overlay while a canvas stroke is under way. The stamp it prepares is the one
// that staging in overlaySave gave, byte for byte.
#include <gtest/gtest.h>

#include <tuple>

#include "src/core/module_state.h"
#include "src/files/panel_image.h"
#include "src/pixel/pixel_ops.h"
#include "src/stamp/reduce.h"
#include "src/stamp/rotate.h"
#include "stamp_pipeline/session.h"

namespace stamp::test {
namespace {

constexpr int32_t kSelection = 6;  // the cell at (130, 30) of the PanelImage

class StagingTest : public SessionTest,
                    public ::testing::WithParamInterface<std::tuple<int32_t, int32_t>> {
 protected:
  void SetUp() override {
    FillCanvasRandom(host, STAMP_REC_OVERLAY_SAVE, 11);
    FillCanvasRandom(host, STAMP_REC_STAMP_BUFFER, 12);
    FillCanvasRandom(host, STAMP_REC_SCRATCH_BUFFER, 13);
  }

  // The preparation with the cell staged at (0,0) of overlaySave, run on copies of the buffers.
  RotatedSize PrepareThroughOverlaySave(Bytes& stamp, Bytes& scratch, Bytes& staging,
                                        int32_t reduction, int32_t angle) const {
    const int32_t w = host.canvasWidth();
    const int32_t h = host.canvasHeight();
    const auto b = static_cast<int32_t>(host.canvasBytes());
    BlitCopy(staging.data(), w, h, 0, 0, 30, 30, session.panel(), kPanelImageWidth,
             kPanelImageHeight, 130, 30, kSrcCopy, b, kPanelImageBytes);
    const HostContext& record = Module().host;
    ReduceAreaAverage(record.canvasView(scratch.data()), record.canvasView(staging.data()),
                      reduction, reduction, 30, 30);
    BlitCopy(stamp.data(), w, h, 0, 60, 30, 30, scratch.data(), w, h, 0, 0, kSrcCopy, b, b);
    FillWhite(stamp.data(), w, h, 0, 0, 60, 60, b);
    BlitCopy(scratch.data(), w, h, 0, 0, 30, 30, stamp.data(), w, h, 0, 60, kSrcCopy, b, b);
    return RotateBilinear(record.canvasView(stamp.data()), record.canvasView(scratch.data()),
                          reduction, reduction, angle);
  }
};

TEST_P(StagingTest, LeavesOverlaySaveAloneAndPreparesTheSameStamp) {
  const auto [reduction, angle] = GetParam();
  const Bytes overlaySave = CanvasCopy(host, STAMP_REC_OVERLAY_SAVE);
  Bytes stamp = CanvasCopy(host, STAMP_REC_STAMP_BUFFER);
  Bytes scratch = CanvasCopy(host, STAMP_REC_SCRATCH_BUFFER);
  Bytes staging = overlaySave;
  const RotatedSize size = PrepareThroughOverlaySave(stamp, scratch, staging, reduction, angle);
  ASSERT_NE(staging, overlaySave) << "the model staged nothing";

  RebuildWith(kSelection, reduction, angle);

  EXPECT_TRUE(CanvasCopy(host, STAMP_REC_OVERLAY_SAVE) == overlaySave) << "overlaySave changed";
  EXPECT_TRUE(CanvasCopy(host, STAMP_REC_STAMP_BUFFER) == stamp) << "stampBuffer differs";
  EXPECT_TRUE(CanvasCopy(host, STAMP_REC_SCRATCH_BUFFER) == scratch) << "scratchBuffer differs";
  EXPECT_EQ(Module().rotatedSize.width, size.width);
  EXPECT_EQ(Module().rotatedSize.height, size.height);
}

INSTANTIATE_TEST_SUITE_P(Reductions, StagingTest,
                         ::testing::Combine(::testing::Values(5, 10, 17, 20, 29),
                                            ::testing::Values(0, 33, -135)));

}  // namespace
}  // namespace stamp::test
