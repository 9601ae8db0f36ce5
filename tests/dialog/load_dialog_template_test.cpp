// The load dialog's template, control by control, as the dialog code and the UI back end read it.
#include "src/resources/load_dialog_template.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/text_encoding.h"
#include "support/test_files.h"

namespace stamp {
namespace {

constexpr char16_t kNoText[] = u"(none)";

// A control as the tests compare it: a control without text shows kNoText.
struct Control {
  int32_t id;
  PlatControlKind kind;
  std::u16string text;
  std::array<int16_t, 4> box;
  uint32_t style;
  bool operator==(const Control&) const = default;
};

void PrintTo(const Control& c, std::ostream* out) {
  *out << "{id " << c.id << ", kind " << c.kind << ", " << ::testing::PrintToString(c.text)
       << ", box " << ::testing::PrintToString(c.box) << ", style " << c.style << "}";
}

constexpr uint32_t kChild = PLAT_WS_VISIBLE | PLAT_WS_CHILD | PLAT_WS_TABSTOP;

// The five controls in tab order.
const std::vector<Control> kExpected = {
    {1, PLAT_CONTROL_DEFAULT_PUSH_BUTTON, u"OK", {30, 115, 50, 15}, kChild | PLAT_BS_DEFPUSHBUTTON},
    {2, PLAT_CONTROL_PUSH_BUTTON, u"Cancel", {80, 115, 50, 15}, kChild},
    {1000, PLAT_CONTROL_EDIT, u"", {5, 5, 105, 15}, kChild | PLAT_WS_BORDER | PLAT_ES_AUTOHSCROLL},
    {1001, PLAT_CONTROL_PUSH_BUTTON, u"File", {110, 5, 20, 15}, kChild},
    {1002, PLAT_CONTROL_LIST_BOX, kNoText, {5, 25, 125, 85},
     kChild | PLAT_WS_BORDER | PLAT_WS_VSCROLL | PLAT_LBS_NOTIFY | PLAT_LBS_NOINTEGRALHEIGHT},
};

std::u16string TextOf(const char16_t* text) { return text != nullptr ? text : kNoText; }

std::vector<Control> TemplateControls() {
  const PlatDialogTemplate& t = kLoadDialogTemplate;
  std::vector<Control> controls;
  for (const PlatDialogControl& c : std::span(t.controls, static_cast<size_t>(t.controlCount)))
    controls.push_back({c.id, c.kind, TextOf(c.text), {c.x, c.y, c.width, c.height}, c.style});
  return controls;
}

TEST(LoadDialogTemplate, DialogFrame) {
  const PlatDialogTemplate& t = kLoadDialogTemplate;
  EXPECT_EQ(t.resourceId, 4308);
  EXPECT_EQ(TextOf(t.caption), u"Load");
  EXPECT_EQ(TextOf(t.fontName), u"Tahoma");
  EXPECT_EQ(t.fontPoints, 9);
  EXPECT_EQ((std::array{t.x, t.y, t.width, t.height}), (std::array<int16_t, 4>{0, 0, 135, 133}));
  EXPECT_EQ(t.style, PLAT_WS_POPUP | PLAT_WS_CAPTION | PLAT_WS_SYSMENU | PLAT_DS_MODALFRAME |
                         PLAT_DS_SETFONT);
}

TEST(LoadDialogTemplate, ControlsInTabOrder) { EXPECT_EQ(TemplateControls(), kExpected); }

// The Windows build runs the dialog from the DLL's resource script, written by hand: it must say
// what the template says. Each control line of the script is read as
// KEYWORD ["text",] id, x, y, width, height, STYLE | STYLE ...
// A script control has no text where the template has none or an empty one.
const std::map<std::string, uint32_t> kStyleNames = {
    {"WS_TABSTOP", PLAT_WS_TABSTOP},       {"WS_BORDER", PLAT_WS_BORDER},
    {"WS_VSCROLL", PLAT_WS_VSCROLL},       {"ES_AUTOHSCROLL", PLAT_ES_AUTOHSCROLL},
    {"LBS_NOTIFY", PLAT_LBS_NOTIFY},       {"LBS_NOINTEGRALHEIGHT", PLAT_LBS_NOINTEGRALHEIGHT},
    {"DS_MODALFRAME", PLAT_DS_MODALFRAME}, {"DS_SETFONT", PLAT_DS_SETFONT},
    {"WS_POPUP", PLAT_WS_POPUP},           {"WS_CAPTION", PLAT_WS_CAPTION},
    {"WS_SYSMENU", PLAT_WS_SYSMENU}};

// The script's text with every blank and tab removed.
std::string WithoutBlanks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
  return text;
}

uint32_t StyleBits(const std::string& names) {
  uint32_t style = 0;
  std::istringstream words(WithoutBlanks(names));
  for (std::string word; std::getline(words, word, '|');) {
    if (!word.empty()) style |= kStyleNames.at(word);
  }
  return style;
}

// Splits "a, b, c" at its commas; the last field keeps the rest of the line.
std::vector<std::string> Fields(const std::string& text, size_t count) {
  std::vector<std::string> fields;
  size_t from = 0;
  while (fields.size() + 1 < count) {
    const size_t comma = text.find(',', from);
    if (comma == std::string::npos) break;
    fields.push_back(WithoutBlanks(text.substr(from, comma - from)));
    from = comma + 1;
  }
  fields.push_back(text.substr(from));
  return fields;
}

// A line's first word, and what follows it.
std::pair<std::string, std::string> FirstWord(const std::string& line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return {};
  const size_t end = line.find(' ', start);
  if (end == std::string::npos) return {line.substr(start), ""};
  return {line.substr(start, end - start), line.substr(end + 1)};
}

// "TEXT", the quoted text at the start of rest, taken off it.
std::string TakeQuoted(std::string& rest) {
  const size_t open = rest.find('"');
  const size_t close = rest.find('"', open + 1);
  if (open == std::string::npos || close == std::string::npos) return {};
  std::string text = rest.substr(open + 1, close - open - 1);
  const size_t comma = rest.find(',', close);
  rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
  return text;
}

// Four numbers of the fields from first on: x, y, width, height.
std::array<int16_t, 4> BoxAt(const std::vector<std::string>& fields, size_t first) {
  std::array<int16_t, 4> box{};
  for (size_t i = 0; i < box.size(); ++i)
    box[i] = static_cast<int16_t>(std::stoi(fields[first + i]));
  return box;
}

std::vector<Control> ReadResourceControls(const std::string& script) {
  static const std::map<std::string, PlatControlKind> kinds = {
      {"DEFPUSHBUTTON", PLAT_CONTROL_DEFAULT_PUSH_BUTTON},
      {"PUSHBUTTON", PLAT_CONTROL_PUSH_BUTTON},
      {"EDITTEXT", PLAT_CONTROL_EDIT},
      {"LISTBOX", PLAT_CONTROL_LIST_BOX}};
  static const std::map<std::string, int32_t> ids = {{"IDOK", PLAT_IDOK},
                                                     {"IDCANCEL", PLAT_IDCANCEL}};
  std::vector<Control> controls;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    auto [keyword, rest] = FirstWord(line);
    if (!kinds.contains(keyword)) continue;
    const PlatControlKind kind = kinds.at(keyword);
    const std::string text = rest.find('"') == std::string::npos ? "" : TakeQuoted(rest);
    const std::vector<std::string> f = Fields(rest, 6);
    if (f.size() != 6) continue;
    // Every control is a visible child; a default button carries its button style.
    uint32_t style = PLAT_WS_CHILD | PLAT_WS_VISIBLE | StyleBits(f[5]);
    if (kind == PLAT_CONTROL_DEFAULT_PUSH_BUTTON) style |= PLAT_BS_DEFPUSHBUTTON;
    controls.push_back({ids.contains(f[0]) ? ids.at(f[0]) : std::stoi(f[0]), kind,
                        platform::FromUtf8(text), BoxAt(f, 1), style});
  }
  return controls;
}

// The line of the script after the one that starts with prefix, or "".
std::string LineAfter(const std::string& script, const std::string& prefix) {
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  }
  return {};
}

TEST(LoadDialogTemplate, WindowsResourceSaysTheSame) {
  const std::string script = test::ReadFile(STAMP_RESOURCE_SCRIPT);
  ASSERT_FALSE(script.empty()) << STAMP_RESOURCE_SCRIPT;
  const PlatDialogTemplate& t = kLoadDialogTemplate;
  const std::vector<std::string> frame =
      Fields(LineAfter(script, std::to_string(t.resourceId) + " DIALOG "), 4);
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_EQ(BoxAt(frame, 0), (std::array{t.x, t.y, t.width, t.height}));
  EXPECT_EQ(StyleBits(LineAfter(script, "STYLE ")), t.style);
  std::string caption = LineAfter(script, "CAPTION ");
  EXPECT_EQ(platform::FromUtf8(TakeQuoted(caption)), TextOf(t.caption));
  std::string font = LineAfter(script, "FONT ");
  EXPECT_EQ(std::stoi(font), t.fontPoints);
  EXPECT_EQ(platform::FromUtf8(TakeQuoted(font)), TextOf(t.fontName));

  std::vector<Control> expected = TemplateControls();
  for (Control& control : expected) {
    if (control.text == kNoText) control.text.clear();
  }
  EXPECT_EQ(ReadResourceControls(script), expected);
}

}  // namespace
}  // namespace stamp
