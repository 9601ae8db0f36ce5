#include "host/output/centred_text.h"

#include <algorithm>
#include <string>

namespace stamp::host {

void DrawCentredText(PlatHandle dc, std::u16string_view text, const PlatRect& box) {
  const std::u16string terminated(text);
  const int32_t length = static_cast<int32_t>(text.size());
  PlatSize extent{};
  if (plat_get_text_extent(dc, terminated.c_str(), length, &extent) == 0) return;
  const int32_t left = box.left + std::max(0, (box.right - box.left - extent.cx) / 2);
  const int32_t top = box.top + std::max(0, (box.bottom - box.top - extent.cy) / 2);
  const PlatRect rect{left, top, box.right, box.bottom};
  plat_draw_text(dc, terminated.c_str(), length, &rect, 0);
}

}  // namespace stamp::host
