// Where pen down shows the preview: the view point less the view origin, shifted by the low 8 bits
// of zoomShift, is the stamp's centre; the top-left corner is that less half the stamp's size,
// each in wrapping 32-bit arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "canvas/stroke_fixture.h"
#include "src/canvas/stroke.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

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

}  // namespace
}  // namespace stamp::test
