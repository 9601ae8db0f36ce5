// Text drawn through a drawing context, centred in a box: the platform draws left-aligned on a
// rectangle's top line, so the host places that rectangle from the font's cell layout.
#pragma once

#include <cstdint>
#include <string_view>

#include "stamp/platform.h"

namespace stamp::host {

// Width in pixels of the ink of text in the platform's font of this cell height (the last
// character's trailing gap left out).
int32_t TextWidth(std::u16string_view text, int32_t fontHeight);

// Draws text through dc (whose selected font has cell height fontHeight) centred in box.
void DrawCentredText(PlatHandle dc, std::u16string_view text, int32_t fontHeight,
                     const PlatRect& box);

}  // namespace stamp::host
