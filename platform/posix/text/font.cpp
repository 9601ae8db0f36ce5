#include "platform/posix/text/font.h"

#include <algorithm>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/posix/text/font_glyphs.h"

namespace stamp::platform {

FontMetrics MetricsOf(const Font& font) {
  const int32_t scale = std::max(1, font.pixelHeight / kGlyphRows);
  return {scale, kCellColumns * scale, font.pixelHeight,
          std::max(0, (font.pixelHeight - kGlyphRows * scale) / 2)};
}

}  // namespace stamp::platform

PlatHandle plat_create_font(int32_t pixelHeight) {
  using namespace stamp::platform;
  if (pixelHeight < kMinFontHeight || pixelHeight > kMaxFontHeight) {
    return Fail("plat_create_font: height outside " + std::to_string(kMinFontHeight) + " to " +
                    std::to_string(kMaxFontHeight),
                PlatHandle{0});
  }
  return GuardedCall(PlatHandle{0}, [&] { return AddObject(std::make_unique<Font>(pixelHeight)); });
}
