// Pen-up on the cell grid and the reduction buttons: which control a position reaches, what it
// sets, and how the stamp is rebuilt.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "panel/panel_fixture.h"
#include "src/plugin/events.h"

namespace stamp::test {
namespace {

class GridTest : public PanelTest, public ::testing::WithParamInterface<PointCase> {};

TEST_P(GridTest, PenUpSelectsTheCellAndExtractsIt) {
  module().settings.selection = 7;
  int32_t result = -1;
  EXPECT_EQ(Observe([&] { result = PanelUp(GetParam().x, GetParam().y); }),
            Rebuild::WithExtraction);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(module().settings.selection, GetParam().value);
  EXPECT_TRUE(ui.dialogRuns().empty());
}

INSTANTIATE_TEST_SUITE_P(Cells, GridTest,
                         ::testing::Values(PointCase{111, 11, 0}, PointCase{139, 39, 0},
                                           PointCase{140, 40, 5}, PointCase{229, 99, 11},
                                           PointCase{229, 11, 3}, PointCase{111, 99, 8},
                                           // Also on the file button: the grid comes first.
                                           PointCase{200, 97, 11}));

struct MissCase {
  int32_t x, y;
};

void PrintTo(const MissCase& c, std::ostream* out) { *out << "(" << c.x << ", " << c.y << ")"; }

class MissTest : public PanelTest, public ::testing::WithParamInterface<MissCase> {};

TEST_P(MissTest, PenUpOnNoControlIsNotTaken) {
  module().drag.dragging = true;
  int32_t result = -1;
  EXPECT_EQ(Observe([&] { result = PanelUp(GetParam().x, GetParam().y); }), Rebuild::None);
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(module().drag.dragging);
  EXPECT_EQ(module().settings.selection, 0);
  EXPECT_EQ(module().settings.reduction, 30);
  EXPECT_TRUE(ui.dialogRuns().empty());
}

INSTANTIATE_TEST_SUITE_P(Positions, MissTest,
                         ::testing::Values(MissCase{110, 50}, MissCase{200, 10}, MissCase{90, 15},
                                           MissCase{95, 100}, MissCase{180, 105},
                                           MissCase{230, 105}, MissCase{200, 115},
                                           MissCase{INT_MIN, INT_MIN}, MissCase{INT_MAX, 50}));

TEST_F(PanelTest, PenUpBetweenTheButtonsReachesTheDial) {
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelUp(95, 50), 2); }), Rebuild::RotationOnly);
  EXPECT_EQ(module().settings.angle, -63);
  EXPECT_EQ(module().settings.reduction, 30);
}

struct ButtonCase {
  const char* name;
  int32_t x, y;
  int32_t before;
  int32_t after;
};

class ReductionButtonTest : public PanelTest, public ::testing::WithParamInterface<ButtonCase> {};

// Every press rebuilds with extraction, also when the bound keeps the value.
TEST_P(ReductionButtonTest, StepsTowardsTheRangeAndRebuilds) {
  module().settings.reduction = GetParam().before;
  int32_t result = -1;
  EXPECT_EQ(Observe([&] { result = PanelUp(GetParam().x, GetParam().y); }),
            Rebuild::WithExtraction);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(module().settings.reduction, GetParam().after);
}

constexpr int32_t kPlusX = 95, kPlusY = 15, kMinusX = 95, kMinusY = 105;

INSTANTIATE_TEST_SUITE_P(
    Presses, ReductionButtonTest,
    ::testing::Values(ButtonCase{"PlusSteps", kPlusX, kPlusY, 20, 21},
                      ButtonCase{"PlusAtTheCap", kPlusX, kPlusY, 30, 30},
                      ButtonCase{"PlusFromBelow", kPlusX, kPlusY, 5, 6},
                      ButtonCase{"PlusFromAbove", kPlusX, kPlusY, 40, 30},
                      ButtonCase{"PlusAtIntMax", kPlusX, kPlusY, INT_MAX, 30},
                      ButtonCase{"PlusAtIntMin", kPlusX, kPlusY, INT_MIN, INT_MIN + 1},
                      ButtonCase{"PlusCorner", 91, 11, 29, 30},
                      ButtonCase{"MinusSteps", kMinusX, kMinusY, 20, 19},
                      ButtonCase{"MinusAtTheFloor", kMinusX, kMinusY, 10, 10},
                      ButtonCase{"MinusFromAbove", kMinusX, kMinusY, 40, 39},
                      ButtonCase{"MinusFromBelow", kMinusX, kMinusY, 5, 10},
                      ButtonCase{"MinusAtIntMin", kMinusX, kMinusY, INT_MIN, 10},
                      ButtonCase{"MinusAtIntMax", kMinusX, kMinusY, INT_MAX, INT_MAX - 1},
                      ButtonCase{"MinusCorner", 99, 109, 11, 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stamp::test
