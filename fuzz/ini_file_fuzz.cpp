// Feeds arbitrary bytes to the profile's INI reader. The input is a document, then, after zero
// bytes, a section, a key and a value to look up and set. Checked besides the sanitizers:
//  - serialising gives back the document byte for byte, with a final line break added to a last
//    line that lacked one, so a second parse and serialisation change nothing;
//  - a lookup gives the same answer on the document and on its serialised copy;
//  - a value that Set accepts is found again, blanks trimmed, also after another round trip;
//    a refused Set leaves the document as it was.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input.h"
#include "platform/portable/ini_file.h"

namespace {

using stamp::platform::IniDocument;

// What serialising a freshly parsed text must give: the text, with a line break after its last
// line (a byte-order mark alone is no line).
std::string ExpectedSerialisation(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const size_t body = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  std::string expected(text);
  if (text.size() > body && !text.ends_with('\n')) expected += '\n';
  return expected;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == text.npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void CheckSet(IniDocument document, std::string_view section, std::string_view key,
              std::string_view value) {
  const std::string before = document.Serialise();
  if (!document.Set(section, key, value)) {
    if (document.Serialise() != before) __builtin_trap();
    return;
  }
  if (document.Get(section, key) != std::string(TrimBlanks(value))) __builtin_trap();
  const IniDocument reread = IniDocument::Parse(document.Serialise());
  if (reread.Get(section, key) != document.Get(section, key)) __builtin_trap();
  if (reread.Serialise() != document.Serialise()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  stamp::fuzz::FuzzInput input(data, size);
  const std::string text = input.TakeText();
  const std::string section = input.TakeText();
  const std::string key = input.TakeText();
  const std::string value = input.TakeText();

  const IniDocument document = IniDocument::Parse(text);
  const std::string serialised = document.Serialise();
  if (serialised != ExpectedSerialisation(text)) __builtin_trap();
  const IniDocument reread = IniDocument::Parse(serialised);
  if (reread.Serialise() != serialised) __builtin_trap();
  if (reread.Get(section, key) != document.Get(section, key)) __builtin_trap();
  if (reread.Get("plugin_kvo_stamp", "file") != document.Get("plugin_kvo_stamp", "file")) {
    __builtin_trap();
  }
  CheckSet(document, section, key, value);
  return 0;
}
