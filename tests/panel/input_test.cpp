// Pen events on the panel: which control a position reaches (the dial, the cell grid, the
// reduction buttons or none), what it sets, how the stamp is rebuilt, and the dial's angle and
// drag rules.
#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cstdint>
#include <set>
#include <string>

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

enum class Pen { Down, Up };
using Setting = int32_t StampSettings::*;

// One pen-down or pen-up on the panel: the setting it should reach, with its value before and
// after, the rebuild and result it gives, and the dial drag before and after it. The other
// settings keep their values.
struct PenCase {
  std::string name;
  Pen pen;
  PanelPoint at;
  Setting setting;
  int32_t before, after;
  Rebuild rebuild;
  int32_t result;
  bool draggingBefore, draggingAfter;
};

void PrintTo(const PenCase& c, std::ostream* out) {
  *out << c.name << ": " << c.before << " -> " << c.after;
}

// The case's name: the control, then the position, a leading m for a negative coordinate.
std::string Named(const char* control, PanelPoint at) {
  const auto coordinate = [](int32_t v) {
    return v < 0 ? "m" + std::to_string(-int64_t{v}) : std::to_string(v);
  };
  return std::string(control) + "_" + coordinate(at.x) + "_" + coordinate(at.y);
}

// Pen-down in the dial's hit area sets the angle, turns the cell cache and starts a drag.
PenCase DialDown(int32_t x, int32_t y, int32_t angle) {
  return {Named("DialDown", {x, y}),
          Pen::Down,
          {x, y},
          &StampSettings::angle,
          12345,
          angle,
          Rebuild::RotationOnly,
          STAMP_RESULT_PANEL_CHANGED,
          false,
          true};
}
// Pen-down outside it is not taken, and ends a drag wherever it lands.
PenCase MissedDown(int32_t x, int32_t y) {
  return {
      Named("MissedDown", {x, y}), Pen::Down, {x, y}, &StampSettings::angle, 33, 33, Rebuild::None,
      STAMP_RESULT_NOT_TAKEN,      true,      false};
}
// Pen-up in the dial sets the angle without a pen-down before it.
PenCase DialUp(int32_t x, int32_t y, int32_t angle) {
  return {Named("DialUp", {x, y}),
          Pen::Up,
          {x, y},
          &StampSettings::angle,
          STAMP_DEFAULT_ANGLE,
          angle,
          Rebuild::RotationOnly,
          STAMP_RESULT_PANEL_CHANGED,
          false,
          false};
}
PenCase CellUp(int32_t x, int32_t y, int32_t cell) {
  return {Named("CellUp", {x, y}),
          Pen::Up,
          {x, y},
          &StampSettings::selection,
          7,
          cell,
          Rebuild::WithExtraction,
          STAMP_RESULT_PANEL_CHANGED,
          false,
          false};
}
// Pen-up on no control changes nothing and ends the drag.
PenCase MissedUp(int32_t x, int32_t y) {
  return {Named("MissedUp", {x, y}),
          Pen::Up,
          {x, y},
          &StampSettings::selection,
          STAMP_DEFAULT_SELECTION,
          STAMP_DEFAULT_SELECTION,
          Rebuild::None,
          STAMP_RESULT_NOT_TAKEN,
          true,
          false};
}
// Every press of plus or minus rebuilds with extraction, also when the bound keeps the value.
PenCase Button(const char* name, PanelPoint at, int32_t before, int32_t after) {
  return {name,
          Pen::Up,
          at,
          &StampSettings::reduction,
          before,
          after,
          Rebuild::WithExtraction,
          STAMP_RESULT_PANEL_CHANGED,
          false,
          false};
}

constexpr PanelPoint kPlus = {95, 15};
constexpr PanelPoint kMinus = {95, 105};

class PenTest : public PanelTest, public ::testing::WithParamInterface<PenCase> {};

TEST_P(PenTest, ReachesOnlyItsControl) {
  const PenCase& c = GetParam();
  StampSettings& settings = module().settings;
  settings.*c.setting = c.before;
  module().drag.dragging = c.draggingBefore;
  StampSettings expected = settings;
  expected.*c.setting = c.after;
  int32_t result = -1;
  EXPECT_EQ(Observe([&] {
              result = c.pen == Pen::Down ? PanelDown(c.at.x, c.at.y) : PanelUp(c.at.x, c.at.y);
            }),
            c.rebuild);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(settings.angle, expected.angle);
  EXPECT_EQ(settings.selection, expected.selection);
  EXPECT_EQ(settings.reduction, expected.reduction);
  EXPECT_EQ(module().drag.dragging, c.draggingAfter);
  EXPECT_TRUE(ui.dialogRuns().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Events, PenTest,
    ::testing::Values(
        DialDown(75, 60, 180), DialDown(75, 59, 0), DialDown(106, 60, -90), DialDown(41, 60, 90),
        DialDown(75, 91, 180), DialDown(75, 28, 0), DialDown(65, 50, 45), DialDown(85, 50, -45),
        DialDown(65, 70, 135), DialDown(85, 70, -135), DialDown(95, 50, -63), DialDown(76, 28, -1),
        DialDown(41, 59, 88), DialDown(41, 61, 91), DialDown(74, 91, 178), DialDown(76, 91, -178),
        MissedDown(40, 60), MissedDown(107, 60), MissedDown(75, 27), MissedDown(75, 92),
        MissedDown(120, 50), DialUp(85, 70, -135),
        // Between the buttons the dial is reached.
        DialUp(95, 50, -63), CellUp(111, 11, 0), CellUp(139, 39, 0), CellUp(140, 40, 5),
        CellUp(229, 99, 11), CellUp(229, 11, 3), CellUp(111, 99, 8),
        // Also on the file button: the grid comes first.
        CellUp(200, 97, 11), MissedUp(110, 50), MissedUp(200, 10), MissedUp(90, 15),
        MissedUp(95, 100), MissedUp(180, 105), MissedUp(230, 105), MissedUp(200, 115),
        MissedUp(INT_MIN, INT_MIN), MissedUp(INT_MAX, 50), Button("PlusSteps", kPlus, 20, 21),
        Button("PlusAtTheCap", kPlus, 30, 30), Button("PlusFromBelow", kPlus, 5, 6),
        Button("PlusFromAbove", kPlus, 40, 30), Button("PlusAtIntMax", kPlus, INT_MAX, 30),
        Button("PlusAtIntMin", kPlus, INT_MIN, INT_MIN + 1), Button("PlusCorner", {91, 11}, 29, 30),
        Button("MinusSteps", kMinus, 20, 19), Button("MinusAtTheFloor", kMinus, 10, 10),
        Button("MinusFromAbove", kMinus, 40, 39), Button("MinusFromBelow", kMinus, 5, 10),
        Button("MinusAtIntMin", kMinus, INT_MIN, 10),
        Button("MinusAtIntMax", kMinus, INT_MAX, INT_MAX - 1),
        Button("MinusCorner", {99, 109}, 11, 10)),
    [](const auto& info) { return info.param.name; });

using DialTest = PanelTest;

TEST_F(DialTest, MoveAfterAPenDownOutsideIsNotTaken) {
  module().settings.angle = 33;
  EXPECT_EQ(PanelDown(150, 50), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(65, 50), STAMP_RESULT_NOT_TAKEN); }), Rebuild::None);
  EXPECT_EQ(module().settings.angle, 33);
}

TEST_F(DialTest, DragLeavesTheDialAndComesBack) {
  ASSERT_EQ(PanelDown(75, 59), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(PanelMove(106, 60), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(module().settings.angle, -90);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(150, 60), STAMP_RESULT_NOT_TAKEN); }), Rebuild::None);
  EXPECT_EQ(module().settings.angle, -90);
  EXPECT_TRUE(module().drag.dragging);
  EXPECT_EQ(Observe([&] { EXPECT_EQ(PanelMove(41, 60), STAMP_RESULT_PANEL_CHANGED); }),
            Rebuild::RotationOnly);
  EXPECT_EQ(module().settings.angle, 90);
}

TEST_F(DialTest, PenUpEndsTheDrag) {
  ASSERT_EQ(PanelDown(75, 59), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(PanelUp(150, 5), STAMP_RESULT_NOT_TAKEN);
  EXPECT_FALSE(module().drag.dragging);
  EXPECT_EQ(PanelMove(106, 60), STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(module().settings.angle, 0);
}

}  // namespace
}  // namespace stamp::test
