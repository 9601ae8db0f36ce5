// The glyphs of the built-in bitmap font, a design of the platform's own: each glyph is 5 columns
// by 8 rows in a cell of 6 by 8 (the sixth column is the gap to the next character). Rows 0 to 6
// hold capitals, digits and the bodies of small letters; row 7 holds descenders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace stamp::platform {

inline constexpr int32_t kGlyphColumns = 5;
inline constexpr int32_t kGlyphRows = 8;
inline constexpr int32_t kCellColumns = 6;

// One byte per row, top row first; bit 4 is the leftmost column, bit 0 the rightmost.
using GlyphRows = std::array<uint8_t, kGlyphRows>;

// The glyph of a character: printable ASCII (0x20 to 0x7E) has its own, any other code unit
// draws as an empty box.
const GlyphRows& GlyphFor(char16_t character);

// Whether the glyph has ink at design column x (0..4) and row y (0..7).
inline bool GlyphInk(const GlyphRows& glyph, int32_t x, int32_t y) {
  return ((glyph[static_cast<size_t>(y)] >> (kGlyphColumns - 1 - x)) & 1u) != 0;
}

}  // namespace stamp::platform
