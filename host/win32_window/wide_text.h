// The host's UTF-8 text (messages, names) as the system's wide text.
#pragma once

#include <string>
#include <string_view>

#include "platform/portable/text_encoding.h"

namespace stamp::window {

inline std::wstring WideText(std::string_view utf8) {
  const std::u16string text = platform::FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

}  // namespace stamp::window
