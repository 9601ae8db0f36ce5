// Text from a script, quoted in an error line, made safe for a terminal: bytes that are not
// printable (control characters and so escape sequences, DEL, C1 controls, malformed UTF-8) are
// shown as \xNN, and text longer than kMaxShownCharacters is cut and ends in "...".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stamp::host {

inline constexpr size_t kMaxShownCharacters = 60;

std::string ShownText(std::string_view text);

}  // namespace stamp::host
