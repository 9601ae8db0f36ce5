// Text on a context: a real TrueType font and DrawTextW, with the context's colours and mode.
#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"

namespace stamp::platform {
namespace {

// The cell heights the platform's fonts come in, as the contract states them.
constexpr int32_t kMinFontPixels = 8;
constexpr int32_t kMaxFontPixels = 32;
// A face every Windows (and Wine) has; drawn without smoothing, so a pixel is ink or paper.
constexpr wchar_t kFontFace[] = L"Tahoma";

static_assert(PLAT_TRANSPARENT == TRANSPARENT && PLAT_OPAQUE == OPAQUE);

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Fail;
using stamp::platform::FromHandle;
using stamp::platform::ToHandle;

uint32_t plat_set_text_color(PlatHandle dc, uint32_t color) {
  return SetTextColor(FromHandle<HDC>(dc), color);
}

uint32_t plat_set_bk_color(PlatHandle dc, uint32_t color) {
  return SetBkColor(FromHandle<HDC>(dc), color);
}

int32_t plat_set_bk_mode(PlatHandle dc, int32_t mode) {
  return SetBkMode(FromHandle<HDC>(dc), mode);
}

// A positive height asks for that cell height (a negative one would ask for the character height).
PlatHandle plat_create_font(int32_t pixelHeight) {
  using namespace stamp::platform;
  if (pixelHeight < kMinFontPixels || pixelHeight > kMaxFontPixels) {
    return Fail("plat_create_font: height outside 8 to 32 pixels", PlatHandle{0});
  }
  HFONT font = CreateFontW(pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, kFontFace);
  return font != nullptr ? ToHandle(font) : Fail("CreateFontW failed", PlatHandle{0});
}

int32_t plat_draw_text(PlatHandle dc, const char16_t* text, int32_t length, const PlatRect* rect,
                       uint32_t format) {
  if (text == nullptr || rect == nullptr) return Fail("plat_draw_text: no text or rectangle", 0);
  RECT area{rect->left, rect->top, rect->right, rect->bottom};
  return DrawTextW(FromHandle<HDC>(dc), stamp::platform::Wide(text), length, &area, format);
}
