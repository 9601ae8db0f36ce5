#include "host/script/shown_text.h"

#include <cstdint>
#include <cstdio>

namespace stamp::host {
namespace {

constexpr std::string_view kCut = "...";
constexpr uint32_t kFirstPrintable = 0x20;
constexpr uint32_t kDelete = 0x7F;
constexpr uint32_t kFirstAfterC1 = 0xA0;  // U+0080 to U+009F are control characters too
constexpr size_t kEscapeLength = 4;       // \xNN

bool Continuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence of a printable character at the front of text;
// 0 when the front byte is to be escaped.
size_t PrintableLength(std::string_view text) {
  const auto lead = static_cast<uint8_t>(text[0]);
  if (lead < 0x80) return lead >= kFirstPrintable && lead != kDelete ? 1 : 0;
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    if (!Continuation(byte)) return 0;
    code = code << 6 | (byte & 0x3F);
  }
  constexpr uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kShortest[length] || surrogate || code > 0x10FFFF || code < kFirstAfterC1) return 0;
  return length;
}

}  // namespace

std::string ShownText(std::string_view text) {
  std::string shown;
  size_t characters = 0;
  while (!text.empty()) {
    if (characters >= kMaxShownCharacters) return shown + std::string(kCut);
    const size_t length = PrintableLength(text);
    if (length > 0) {
      shown.append(text.substr(0, length));
      ++characters;
    } else {
      char escape[kEscapeLength + 1];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<uint8_t>(text[0]));
      shown += escape;
      characters += kEscapeLength;
    }
    text.remove_prefix(length > 0 ? length : 1);
  }
  return shown;
}

}  // namespace stamp::host
