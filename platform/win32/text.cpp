// Text on a context: a real TrueType font and DrawTextW, with the context's colours and mode.
// The text is drawn as the platform promises on every back end: one line, left-aligned on the
// rectangle's top line, clipped to it, '&' drawn as itself (DrawTextW would take it as a prefix
// mark) and line breaks not interpreted. The pixels of the glyphs are the font's own. Drawing
// ends with GdiFlush, so the pixels are in the bitmap's memory when the call returns (Wine does
// not batch drawing calls, so no test under it can tell a missing flush).
#include <string_view>

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

constexpr UINT kOneLine = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

int32_t Length(const char16_t* text, int32_t length) {
  return length == -1 ? static_cast<int32_t>(std::u16string_view(text).size()) : length;
}

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

// Format flags are the platform's to choose: the caller's are ignored, as on every back end.
int32_t plat_draw_text(PlatHandle dc, const char16_t* text, int32_t length, const PlatRect* rect,
                       uint32_t) {
  if (text == nullptr || rect == nullptr) return Fail("plat_draw_text: no text or rectangle", 0);
  if (length < -1) return Fail("plat_draw_text: negative length", 0);
  RECT area{rect->left, rect->top, rect->right, rect->bottom};
  const int drawn =
      DrawTextW(FromHandle<HDC>(dc), stamp::platform::Wide(text),
                stamp::platform::Length(text, length), &area, stamp::platform::kOneLine);
  GdiFlush();
  return drawn != 0 ? drawn : Fail("DrawTextW failed", 0);
}

int32_t plat_get_text_extent(PlatHandle dc, const char16_t* text, int32_t length, PlatSize* size) {
  if (text == nullptr || size == nullptr) return Fail("plat_get_text_extent: no text or size", 0);
  if (length < -1) return Fail("plat_get_text_extent: negative length", 0);
  SIZE extent{};
  if (!GetTextExtentPoint32W(FromHandle<HDC>(dc), stamp::platform::Wide(text),
                             stamp::platform::Length(text, length), &extent)) {
    return Fail("plat_get_text_extent: not a drawing context", 0);
  }
  *size = {extent.cx, extent.cy};
  return 1;
}
