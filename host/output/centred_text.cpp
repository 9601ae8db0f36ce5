#include "host/output/centred_text.h"

#include <algorithm>
#include <string>

#include "platform/text/font.h"
#include "platform/text/font_glyphs.h"

namespace stamp::host {

int32_t TextWidth(std::u16string_view text, int32_t fontHeight) {
  if (text.empty()) return 0;
  const platform::FontMetrics metrics = platform::MetricsOf(platform::Font(fontHeight));
  const int32_t count = static_cast<int32_t>(text.size());
  return (count - 1) * metrics.cellWidth + platform::kGlyphColumns * metrics.scale;
}

void DrawCentredText(PlatHandle dc, std::u16string_view text, int32_t fontHeight,
                     const PlatRect& box) {
  const int32_t left =
      box.left + std::max(0, (box.right - box.left - TextWidth(text, fontHeight)) / 2);
  const int32_t top = box.top + std::max(0, (box.bottom - box.top - fontHeight) / 2);
  const PlatRect rect{left, top, box.right, box.bottom};
  const std::u16string terminated(text);
  plat_draw_text(dc, terminated.c_str(), static_cast<int32_t>(text.size()), &rect, 0);
}

}  // namespace stamp::host
