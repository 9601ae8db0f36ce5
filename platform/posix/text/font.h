// The font object: the platform's built-in bitmap font at one cell height in pixels, and the
// layout of its character cells.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/posix/system/handle_table.h"

namespace stamp::platform {

inline constexpr int32_t kMinFontHeight = 8;
inline constexpr int32_t kMaxFontHeight = 32;
// The cell height of the font a new context starts with.
inline constexpr int32_t kDefaultFontHeight = 12;

class Font : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Font;
  ObjectKind kind() const override { return kKind; }

  explicit Font(int32_t height) : pixelHeight(height) {}

  int32_t pixelHeight;
  int32_t selections = 0;     // how many contexts hold it
  PlatHandle stockOwner = 0;  // the context whose default font this is, 0 for others
};

// How a font lays out its cells: the glyph design scaled by a whole factor (so strokes stay
// even), centred vertically in a cell of the font's height.
struct FontMetrics {
  int32_t scale;       // device pixels per design pixel
  int32_t cellWidth;   // advance from one character to the next
  int32_t cellHeight;  // the font's pixel height
  int32_t glyphTop;    // first row of the scaled design within the cell
};

FontMetrics MetricsOf(const Font& font);

}  // namespace stamp::platform
