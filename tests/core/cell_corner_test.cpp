// The corner of a cell in the grid: columns by the truncating remainder, rows by truncating
// division, in 64 bits, and none beyond the int32 coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "src/core/panel_image_layout.h"

namespace stamp {
namespace {

struct CornerCase {
  int32_t selection;
  std::optional<CellPoint> corner;  // with cell 0 at (70, 0)
};

TEST(CellCornerTest, FollowsTheGridInsideAndOutside) {
  const CornerCase cases[] = {
      {0, CellPoint{70, 0}},
      {5, CellPoint{100, 30}},
      {11, CellPoint{160, 60}},
      {12, CellPoint{70, 90}},
      {-1, CellPoint{40, 0}},
      {-13, CellPoint{40, -90}},
      {286331152, CellPoint{70, 2147483640}},  // the last row whose corner fits int32
      {286331156, std::nullopt},
      {INT_MAX, std::nullopt},
      {INT_MIN, std::nullopt},
  };
  for (const CornerCase& c : cases) {
    const std::optional<CellPoint> corner = CellCorner(c.selection, {70, 0});
    ASSERT_EQ(corner.has_value(), c.corner.has_value()) << c.selection;
    if (!corner) continue;
    EXPECT_EQ(corner->x, c.corner->x) << c.selection;
    EXPECT_EQ(corner->y, c.corner->y) << c.selection;
  }
}

}  // namespace
}  // namespace stamp
