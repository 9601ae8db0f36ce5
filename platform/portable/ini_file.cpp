#include "platform/portable/ini_file.h"

#include <algorithm>

namespace stamp::platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view WithoutCarriageReturn(std::string_view line) {
  return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

bool IsStorable(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty()) return false;
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(']') != section.npos || key.find('=') != key.npos) return false;
  return key.front() != '[' && key.front() != ';' && key.front() != '#';
}

}  // namespace

IniDocument::Line IniDocument::Classify(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view content = Trim(WithoutCarriageReturn(line.text));
  if (content.empty() || content.front() == ';' || content.front() == '#') return line;
  if (content.front() == '[') {
    const size_t close = content.find(']');
    if (close != content.npos) {
      line.kind = LineKind::Section;
      line.name = Trim(content.substr(1, close - 1));
    }
    return line;
  }
  const size_t equals = line.text.find('=');
  if (equals != std::string::npos) {
    line.kind = LineKind::Entry;
    line.name = Trim(std::string_view(line.text).substr(0, equals));
    line.valueStart = equals + 1;
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  if (text.starts_with(kByteOrderMark)) {
    document.byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  const size_t firstBreak = text.find('\n');
  document.crlf_ = firstBreak != text.npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    document.lines_.push_back(Classify(std::string(text.substr(0, end))));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return document;
}

std::string IniDocument::Serialise() const {
  std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
  for (const Line& line : lines_) text += line.text + '\n';
  return text;
}

std::optional<size_t> IniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Section && SameName(lines_[i].name, section)) return i;
  }
  return std::nullopt;
}

size_t IniDocument::EndOfSection(size_t header) const {
  size_t end = header + 1;
  for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
    if (lines_[i].kind == LineKind::Entry) end = i + 1;
  }
  return end;
}

std::optional<size_t> IniDocument::FindEntry(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section) inSection = SameName(line.name, section);
    if (inSection && line.kind == LineKind::Entry && SameName(line.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const std::optional<size_t> found = FindEntry(section, key);
  if (!found) return std::nullopt;
  const Line& line = lines_[*found];
  return std::string(Trim(WithoutCarriageReturn(line.text).substr(line.valueStart)));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorable(section, key, value)) return false;
  if (const std::optional<size_t> found = FindEntry(section, key)) {
    Line& line = lines_[*found];
    const bool hadReturn = WithoutCarriageReturn(line.text).size() != line.text.size();
    line.text.resize(line.valueStart);
    line.text.append(value).append(hadReturn ? "\r" : "");
    return true;
  }
  Line entry = Classify(std::string(Trim(key)) + "=" + std::string(value) + LineEnd());
  if (const std::optional<size_t> header = FindSection(section)) {
    lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(EndOfSection(*header)), entry);
    return true;
  }
  if (!lines_.empty() && !Trim(WithoutCarriageReturn(lines_.back().text)).empty()) {
    lines_.push_back(Classify(LineEnd()));
  }
  lines_.push_back(Classify(std::string("[").append(Trim(section)).append("]") + LineEnd()));
  lines_.push_back(std::move(entry));
  return true;
}

}  // namespace stamp::platform
