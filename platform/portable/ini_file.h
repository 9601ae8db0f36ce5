// An INI document held as its lines, so that a write changes one line and everything else
// (other sections, comments, blank lines, unknown lines, line endings, a byte-order mark) is
// written back byte for byte. Text is UTF-8 bytes and is never decoded here.
//
// Lines are "[section]", "key=value", comments (';' or '#') and anything else, which is kept
// as it is. Section and key names match without regard to ASCII case or surrounding blanks;
// the first matching key of the first matching section wins. Parse and Serialise are pure.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::platform {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);
  std::string Serialise() const;

  // The value of key in section with surrounding blanks trimmed; nullopt when absent.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Sets the value: an existing key keeps its place; a new key goes after the last key of its
  // section (blank lines and comments after it stay below), a new section at the end. Returns
  // false, changing nothing, for what one line cannot hold: a line break anywhere, an empty name,
  // ']' in a section name, '=' in a key.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  enum class LineKind { Other, Section, Entry };
  struct Line {
    std::string text;  // as read, a trailing '\r' included
    LineKind kind = LineKind::Other;
    std::string name;       // the section name or the key, trimmed
    size_t valueStart = 0;  // entries: where the value begins in text
  };

  static Line Classify(std::string text);
  // Index of the line holding key in section.
  std::optional<size_t> FindEntry(std::string_view section, std::string_view key) const;
  std::optional<size_t> FindSection(std::string_view section) const;
  // Where a new key of the section that begins at header goes: after its last key.
  size_t EndOfSection(size_t header) const;
  std::string LineEnd() const { return crlf_ ? "\r" : ""; }

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
  bool crlf_ = false;  // new lines follow the document's first line break
};

}  // namespace stamp::platform
