// plat_draw_text and plat_get_text_extent: one line of text in the built-in font, left-aligned on
// the rectangle's top line, clipped to the rectangle (right and bottom exclusive) and to the bitmap
// selected into the context. Ink takes the context's text colour; the rest of each character cell
// is filled with the background colour in opaque mode and left alone in transparent mode. Line
// breaks and other control characters are not interpreted: they draw as boxes like any unknown
// character.
#include <algorithm>
#include <limits>
#include <string_view>

#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/gdi/gdi_context.h"
#include "platform/posix/text/font.h"
#include "platform/posix/text/font_glyphs.h"

namespace stamp::platform {
namespace {

struct Box {
  int64_t left, top, right, bottom;  // right and bottom exclusive
};

// Stored pixel values for ink and background in the bitmap's format.
struct Ink {
  uint32_t text;
  uint32_t background;
  bool opaque;
};

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The index after the character at i: a surrogate pair is one character.
size_t NextCharacter(std::u16string_view text, size_t i) {
  const bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
  return i + (pair ? 2 : 1);
}

// Whether cell pixel (x, y) is ink: the design pixel it falls on, after the glyph's offset.
bool InkAt(const GlyphRows& glyph, const FontMetrics& metrics, int64_t x, int64_t y) {
  const int64_t row = (y - metrics.glyphTop) / metrics.scale;
  const int64_t column = x / metrics.scale;
  if (y < metrics.glyphTop || row >= kGlyphRows || column >= kGlyphColumns) return false;
  return GlyphInk(glyph, static_cast<int32_t>(column), static_cast<int32_t>(row));
}

void DrawCell(Bitmap& bitmap, const Box& clip, const FontMetrics& metrics, const GlyphRows& glyph,
              int64_t left, int64_t top, const Ink& ink) {
  const int64_t right = std::min(left + metrics.cellWidth, clip.right);
  const int64_t bottom = std::min(top + metrics.cellHeight, clip.bottom);
  const uint16_t bits = bitmap.format.bitsPerPixel;
  for (int64_t y = std::max(top, clip.top); y < bottom; ++y) {
    uint8_t* row = bitmap.Row(static_cast<int32_t>(y));
    for (int64_t x = std::max(left, clip.left); x < right; ++x) {
      if (InkAt(glyph, metrics, x - left, y - top)) {
        WriteRaw(row, static_cast<int32_t>(x), bits, ink.text);
      } else if (ink.opaque) {
        WriteRaw(row, static_cast<int32_t>(x), bits, ink.background);
      }
    }
  }
}

int32_t DrawLine(const Context& context, Bitmap& bitmap, std::u16string_view text,
                 const PlatRect& rect) {
  const FontMetrics metrics = MetricsOf(*Find<Font>(context.font));
  const Box clip{std::max<int64_t>(rect.left, 0), std::max<int64_t>(rect.top, 0),
                 std::min<int64_t>(rect.right, bitmap.width),
                 std::min<int64_t>(rect.bottom, bitmap.height)};
  const Ink ink{EncodePixel(bitmap.format, RgbFromColorRef(context.textColor)),
                EncodePixel(bitmap.format, RgbFromColorRef(context.backgroundColor)),
                context.backgroundMode == PLAT_OPAQUE};
  int64_t left = rect.left;
  for (size_t i = 0; i < text.size() && left < clip.right; i = NextCharacter(text, i)) {
    DrawCell(bitmap, clip, metrics, GlyphFor(text[i]), left, rect.top, ink);
    left += metrics.cellWidth;
  }
  return metrics.cellHeight;
}

// The ink box of a line: every character but the last advances a whole cell, the last ends with
// its glyph's last column.
PlatSize ExtentOf(const FontMetrics& metrics, std::u16string_view text) {
  int64_t characters = 0;
  for (size_t i = 0; i < text.size(); i = NextCharacter(text, i)) ++characters;
  if (characters == 0) return {0, metrics.cellHeight};
  const int64_t width = (characters - 1) * metrics.cellWidth + kGlyphColumns * metrics.scale;
  return {static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max())),
          metrics.cellHeight};
}

// The line a call names: length units of text, or up to the terminator for -1.
std::u16string_view LineOf(const char16_t* text, int32_t length) {
  return length == -1 ? Utf16View(text) : std::u16string_view(text, static_cast<size_t>(length));
}

}  // namespace
}  // namespace stamp::platform

int32_t plat_draw_text(PlatHandle dc, const char16_t* text, int32_t length, const PlatRect* rect,
                       uint32_t /*format*/) {
  using namespace stamp::platform;
  const Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_draw_text: not a drawing context", 0);
  if (text == nullptr || rect == nullptr) return Fail("plat_draw_text: no text or rectangle", 0);
  if (length < -1) return Fail("plat_draw_text: negative length", 0);
  const std::u16string_view line = LineOf(text, length);
  return GuardedCall(0, [&] { return DrawLine(*context, *SelectedBitmap(dc), line, *rect); });
}

int32_t plat_get_text_extent(PlatHandle dc, const char16_t* text, int32_t length, PlatSize* size) {
  using namespace stamp::platform;
  const Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_get_text_extent: not a drawing context", 0);
  if (text == nullptr || size == nullptr) return Fail("plat_get_text_extent: no text or size", 0);
  if (length < -1) return Fail("plat_get_text_extent: negative length", 0);
  *size = ExtentOf(MetricsOf(*Find<Font>(context->font)), LineOf(text, length));
  return 1;
}
