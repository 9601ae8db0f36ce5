#include "src/panel/panel_text.h"

#include <charconv>
#include <limits>

#include "src/panel/layout.h"

namespace stamp {
namespace {

// A sign and the nineteen digits of the widest int64.
constexpr size_t kIntegerTextCapacity = std::numeric_limits<int64_t>::digits10 + 2;

}  // namespace

std::u16string FormatInteger(int64_t value) {
  char digits[kIntegerTextCapacity];
  const std::to_chars_result end = std::to_chars(digits, digits + kIntegerTextCapacity, value);
  return std::u16string(digits, end.ptr);
}

void DrawInteger(PlatHandle dc, int64_t value, const PlatRect& rect) {
  const std::u16string text = FormatInteger(value);
  plat_draw_text(dc, text.c_str(), static_cast<int32_t>(text.size()), &rect, kPanelTextFormat);
}

}  // namespace stamp
