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
#include "src/panel/input.h"
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

// What a pen event on a control does: the setting it reaches, the value that setting holds
// before it, the rebuild (none when the event is not taken), and whether a dial drag goes on
// before it. A taken pen-down starts a drag; every other event ends one.
struct Control {
  const char* name;
  Pen pen;
  int32_t StampSettings::*setting;
  int32_t before;
  Rebuild rebuild;
  bool draggingBefore;
};

const Control kDialDown = {
    "DialDown", Pen::Down, &StampSettings::angle, 12345, Rebuild::RotationOnly, false};
const Control kMissDown = {"MissDown", Pen::Down, &StampSettings::angle, 33, Rebuild::None, true};
// Pen-up in the dial sets the angle without a pen-down before it.
const Control kDialUp = {
    "DialUp", Pen::Up, &StampSettings::angle, STAMP_DEFAULT_ANGLE, Rebuild::RotationOnly, false};
const Control kCellUp = {"CellUp", Pen::Up, &StampSettings::selection, 7, Rebuild::WithExtraction,
                         false};
const Control kMissUp = {"MissUp",      Pen::Up, &StampSettings::selection, STAMP_DEFAULT_SELECTION,
                         Rebuild::None, true};
// Every press of plus or minus rebuilds with extraction, also when the bound keeps the value.
const Control kButtonUp = {
    "ButtonUp", Pen::Up, &StampSettings::reduction, 0, Rebuild::WithExtraction, false};

// A pen event at a position and the value the control's setting holds after it; a button press
// names its case and its value before. The other settings keep their values.
struct PenCase {
  const Control* control;
  int32_t x, y;
  int32_t after;
  const char* name = nullptr;
  int32_t before = 0;
};

// The case's name: its own, or the control's and the position, m for a minus sign.
std::string NameOf(const PenCase& c) {
  if (c.name != nullptr) return c.name;
  const auto coordinate = [](int32_t v) {
    return v < 0 ? "m" + std::to_string(-int64_t{v}) : std::to_string(v);
  };
  return std::string(c.control->name) + "_" + coordinate(c.x) + "_" + coordinate(c.y);
}

void PrintTo(const PenCase& c, std::ostream* out) { *out << NameOf(c) << " -> " << c.after; }

class PenTest : public PanelTest, public ::testing::WithParamInterface<PenCase> {};

TEST_P(PenTest, ReachesOnlyItsControl) {
  const PenCase& c = GetParam();
  const Control& control = *c.control;
  const bool taken = control.rebuild != Rebuild::None;
  StampSettings& settings = module().settings;
  settings.*control.setting = c.name != nullptr ? c.before : control.before;
  module().drag.dragging = control.draggingBefore;
  StampSettings expected = settings;
  expected.*control.setting = c.after;
  int32_t result = -1;
  EXPECT_EQ(
      Observe([&] { result = control.pen == Pen::Down ? PanelDown(c.x, c.y) : PanelUp(c.x, c.y); }),
      control.rebuild);
  EXPECT_EQ(result, taken ? STAMP_RESULT_PANEL_CHANGED : STAMP_RESULT_NOT_TAKEN);
  EXPECT_EQ(settings.angle, expected.angle);
  EXPECT_EQ(settings.selection, expected.selection);
  EXPECT_EQ(settings.reduction, expected.reduction);
  EXPECT_EQ(module().drag.dragging, taken && control.pen == Pen::Down);
  EXPECT_TRUE(ui.dialogRuns().empty());
}

PenCase DialDown(int32_t x, int32_t y, int32_t angle) { return {&kDialDown, x, y, angle}; }
PenCase MissDown(int32_t x, int32_t y) { return {&kMissDown, x, y, kMissDown.before}; }
PenCase DialUp(int32_t x, int32_t y, int32_t angle) { return {&kDialUp, x, y, angle}; }
PenCase CellUp(int32_t x, int32_t y, int32_t cell) { return {&kCellUp, x, y, cell}; }
PenCase MissUp(int32_t x, int32_t y) { return {&kMissUp, x, y, kMissUp.before}; }
PenCase Press(const char* name, PanelPoint at, int32_t before, int32_t after) {
  return {&kButtonUp, at.x, at.y, after, name, before};
}

constexpr PanelPoint kPlus = {95, 15};
constexpr PanelPoint kMinus = {95, 105};

INSTANTIATE_TEST_SUITE_P(
    Events, PenTest,
    ::testing::Values(
        DialDown(75, 60, 180), DialDown(75, 59, 0), DialDown(106, 60, -90), DialDown(41, 60, 90),
        DialDown(75, 91, 180), DialDown(75, 28, 0), DialDown(65, 50, 45), DialDown(85, 50, -45),
        DialDown(65, 70, 135), DialDown(85, 70, -135), DialDown(95, 50, -63), DialDown(76, 28, -1),
        DialDown(41, 59, 88), DialDown(41, 61, 91), DialDown(74, 91, 178), DialDown(76, 91, -178),
        MissDown(40, 60), MissDown(107, 60), MissDown(75, 27), MissDown(75, 92), MissDown(120, 50),
        DialUp(85, 70, -135),
        // Between the buttons the dial is reached.
        DialUp(95, 50, -63), CellUp(111, 11, 0), CellUp(139, 39, 0), CellUp(140, 40, 5),
        CellUp(229, 99, 11), CellUp(229, 11, 3), CellUp(111, 99, 8),
        // Also on the file button: the grid comes first.
        CellUp(200, 97, 11), MissUp(110, 50), MissUp(200, 10), MissUp(90, 15), MissUp(95, 100),
        MissUp(180, 105), MissUp(230, 105), MissUp(200, 115), MissUp(INT_MIN, INT_MIN),
        MissUp(INT_MAX, 50), Press("PlusSteps", kPlus, 20, 21),
        Press("PlusAtTheCap", kPlus, 30, 30), Press("PlusFromBelow", kPlus, 5, 6),
        Press("PlusFromAbove", kPlus, 40, 30), Press("PlusAtIntMax", kPlus, INT_MAX, 30),
        Press("PlusAtIntMin", kPlus, INT_MIN, INT_MIN + 1), Press("PlusCorner", {91, 11}, 29, 30),
        Press("MinusSteps", kMinus, 20, 19), Press("MinusAtTheFloor", kMinus, 10, 10),
        Press("MinusFromAbove", kMinus, 40, 39), Press("MinusFromBelow", kMinus, 5, 10),
        Press("MinusAtIntMin", kMinus, INT_MIN, 10),
        Press("MinusAtIntMax", kMinus, INT_MAX, INT_MAX - 1),
        Press("MinusCorner", {99, 109}, 11, 10)),
    [](const auto& info) { return NameOf(info.param); });

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

// The cell keys step the selection with the truncating remainder, in 64 bits.
TEST(CellKeysTest, StepBackAndForwardThroughTheTwelveCells) {
  struct KeyStep {
    int32_t from;
    int32_t previous;  // after plg_key_a
    int32_t next;      // after plg_key_b
  };
  const KeyStep steps[] = {{0, 11, 1},   {11, 10, 0},     {5, 4, 6},        {-1, 10, 0},
                           {-13, -2, 0}, {INT_MAX, 6, 8}, {INT_MIN, -9, -7}};
  for (const KeyStep& step : steps) {
    EXPECT_EQ(PreviousCell(step.from), step.previous) << step.from;
    EXPECT_EQ(NextCell(step.from), step.next) << step.from;
  }
}

}  // namespace
}  // namespace stamp::test
