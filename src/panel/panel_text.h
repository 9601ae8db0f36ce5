// The panel's two numbers, the turn of the dial and the reduction, written as decimal text into
// the host's panel drawing context with whatever font and colours the host has set there.
#pragma once

#include <cstdint>
#include <string>

#include "stamp/platform.h"

namespace stamp {

// Signed decimal text of a value ("%i"): a minus sign for negative values, no leading zeros.
// Wide enough for every value of int64, so the negation of any int32 prints as its true value.
std::u16string FormatInteger(int64_t value);

// Draws the value's text into rect of dc, left-aligned on its top line and clipped to it.
void DrawInteger(PlatHandle dc, int64_t value, const PlatRect& rect);

}  // namespace stamp
