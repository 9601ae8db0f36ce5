#include "src/core/panel_image_layout.h"

#include <cstdint>

namespace stamp {

std::optional<CellPoint> CellCorner(int32_t selection, CellPoint origin) {
  const int64_t x = origin.x + int64_t{kCellSize} * (selection % kCellColumns);
  const int64_t y = origin.y + int64_t{kCellSize} * (selection / kCellColumns);
  if (y < INT32_MIN || y > INT32_MAX) return std::nullopt;
  return CellPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

}  // namespace stamp
