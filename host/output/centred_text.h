// Text drawn through a drawing context, centred in a box: the platform draws left-aligned on a
// rectangle's top line, so the host places that rectangle from the text's extent in the
// context's font.
#pragma once

#include <string_view>

#include "stamp/platform.h"

namespace stamp::host {

// Draws text through dc, in the font selected into it, centred in box.
void DrawCentredText(PlatHandle dc, std::u16string_view text, const PlatRect& box);

}  // namespace stamp::host
