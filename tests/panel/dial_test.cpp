// The dial: the angle of every kind of pen position, its hit area, and the drag rules.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <set>

#include "panel/panel_fixture.h"
#include "src/panel/dial_angle.h"
#include "src/panel/layout.h"
#include "src/plugin/events.h"

namespace stamp::test {
namespace {

TEST(DialAngleTest, DegreesPerRadianUseTheTenDigitPi) {
  EXPECT_EQ(std::bit_cast<uint64_t>(kDialDegreesPerRadian), 0x404CA5DC1A674644u);
}

// Over the whole hit area the dial gives -178 to 180 and never the values its truncation skips.
TEST(DialAngleTest, HitAreaGivesItsRangeAndSkipsTheTruncatedValues) {
  std::set<int32_t> angles;
  for (int32_t y = 28; y <= 91; ++y) {
    for (int32_t x = 41; x <= 106; ++x) angles.insert(DialAngle(x, y));
  }
  EXPECT_EQ(*angles.begin(), -178);
  EXPECT_EQ(*angles.rbegin(), 180);
  for (int32_t skipped : {89, -89, 179, -179, -180})
    EXPECT_EQ(angles.count(skipped), 0u) << skipped;
}

class DialPositionTest : public PanelTest, public ::testing::WithParamInterface<PointCase> {};

TEST_P(DialPositionTest, PenDownSetsTheAngleAndTurnsTheCellCache) {
  module().settings.angle = 12345;
  int32_t result = -1;
  EXPECT_EQ(Observe([&] { result = PanelDown(GetParam().x, GetParam().y); }),
            Rebuild::RotationOnly);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(module().settings.angle, GetParam().value);
  EXPECT_TRUE(module().drag.dragging);
}

INSTANTIATE_TEST_SUITE_P(Positions, DialPositionTest,
                         ::testing::Values(PointCase{75, 60, 180}, PointCase{75, 59, 0},
                                           PointCase{106, 60, -90}, PointCase{41, 60, 90},
                                           PointCase{75, 91, 180}, PointCase{75, 28, 0},
                                           PointCase{65, 50, 45}, PointCase{85, 50, -45},
                                           PointCase{65, 70, 135}, PointCase{85, 70, -135},
                                           PointCase{95, 50, -63}, PointCase{76, 28, -1},
                                           PointCase{41, 59, 88}, PointCase{41, 61, 91},
                                           PointCase{74, 91, 178}, PointCase{76, 91, -178}));

using DialTest = PanelTest;

TEST_F(DialTest, PenDownOutsideTheHitAreaIsNotTaken) {
  for (const PanelPoint pen : {PanelPoint{40, 60}, {107, 60}, {75, 27}, {75, 92}, {120, 50}}) {
    module().settings.angle = 33;
    module().drag.dragging = true;
    int32_t result = -1;
    EXPECT_EQ(Observe([&] { result = PanelDown(pen.x, pen.y); }), Rebuild::None);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(module().settings.angle, 33);
    EXPECT_FALSE(module().drag.dragging) << "pen-down ends a drag wherever it lands";
  }
}

TEST_F(DialTest, MoveAfterAPenDownOutsideIsNotTaken) {
  module().settings.angle = 33;
  EXPECT_EQ(PanelDown(150, 50), 0);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(65, 50), 0); }), Rebuild::None);
  EXPECT_EQ(module().settings.angle, 33);
}

TEST_F(DialTest, DragLeavesTheDialAndComesBack) {
  ASSERT_EQ(PanelDown(75, 59), 2);
  EXPECT_EQ(PanelMove(106, 60), 2);
  EXPECT_EQ(module().settings.angle, -90);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(150, 60), 0); }), Rebuild::None);
  EXPECT_EQ(module().settings.angle, -90);
  EXPECT_TRUE(module().drag.dragging);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(41, 60), 2); }), Rebuild::RotationOnly);
  EXPECT_EQ(module().settings.angle, 90);
}

TEST_F(DialTest, PenUpEndsTheDrag) {
  ASSERT_EQ(PanelDown(75, 59), 2);
  EXPECT_EQ(PanelUp(150, 5), 0);
  EXPECT_FALSE(module().drag.dragging);
  EXPECT_EQ(PanelMove(106, 60), 0);
  EXPECT_EQ(module().settings.angle, 0);
}

TEST_F(DialTest, PenUpInTheDialSetsTheAngleWithoutAPenDown) {
  int32_t result = -1;
  EXPECT_EQ(Observe([&] { result = PanelUp(85, 70); }), Rebuild::RotationOnly);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(module().settings.angle, -135);
}

}  // namespace
}  // namespace stamp::test
