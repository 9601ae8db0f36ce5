// The load dialog's template, control by control, as the dialog code and the UI back end read it.
#include "src/resources/load_dialog_template.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace stamp {
namespace {

constexpr uint32_t kChild = PLAT_WS_VISIBLE | PLAT_WS_CHILD | PLAT_WS_TABSTOP;

// The five controls in tab order.
constexpr PlatDialogControl kExpected[] = {
    {1, PLAT_CONTROL_DEFAULT_PUSH_BUTTON, u"OK", 30, 115, 50, 15, kChild | PLAT_BS_DEFPUSHBUTTON},
    {2, PLAT_CONTROL_PUSH_BUTTON, u"Cancel", 80, 115, 50, 15, kChild},
    {1000, PLAT_CONTROL_EDIT, u"", 5, 5, 105, 15, kChild | PLAT_WS_BORDER | PLAT_ES_AUTOHSCROLL},
    {1001, PLAT_CONTROL_PUSH_BUTTON, u"File", 110, 5, 20, 15, kChild},
    {1002, PLAT_CONTROL_LIST_BOX, nullptr, 5, 25, 125, 85,
     kChild | PLAT_WS_BORDER | PLAT_WS_VSCROLL | PLAT_LBS_NOTIFY | PLAT_LBS_NOINTEGRALHEIGHT},
};

std::u16string TextOf(const char16_t* text) { return text != nullptr ? text : u"(none)"; }

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

TEST(LoadDialogTemplate, ControlsInTabOrder) {
  ASSERT_EQ(kLoadDialogTemplate.controlCount, static_cast<int32_t>(std::size(kExpected)));
  for (size_t i = 0; i < std::size(kExpected); ++i) {
    const PlatDialogControl& want = kExpected[i];
    const PlatDialogControl& got = kLoadDialogTemplate.controls[i];
    SCOPED_TRACE("control " + std::to_string(want.id));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(TextOf(got.text), TextOf(want.text));
    EXPECT_EQ((std::array{got.x, got.y, got.width, got.height}),
              (std::array{want.x, want.y, want.width, want.height}));
    EXPECT_EQ(got.style, want.style);
  }
}

// The Windows build runs the dialog from the DLL's resource script, written by hand: it must say
// what the template says. Each control line of the script is read as
// KEYWORD ["text",] id, x, y, width, height, STYLE | STYLE ...
struct ResourceControl {
  PlatControlKind kind;
  std::u16string text;
  int32_t id;
  std::array<int16_t, 4> box;
  uint32_t style;
};

const std::map<std::string, uint32_t> kStyleNames = {
    {"WS_TABSTOP", PLAT_WS_TABSTOP},       {"WS_BORDER", PLAT_WS_BORDER},
    {"WS_VSCROLL", PLAT_WS_VSCROLL},       {"ES_AUTOHSCROLL", PLAT_ES_AUTOHSCROLL},
    {"LBS_NOTIFY", PLAT_LBS_NOTIFY},       {"LBS_NOINTEGRALHEIGHT", PLAT_LBS_NOINTEGRALHEIGHT},
    {"DS_MODALFRAME", PLAT_DS_MODALFRAME}, {"DS_SETFONT", PLAT_DS_SETFONT},
    {"WS_POPUP", PLAT_WS_POPUP},           {"WS_CAPTION", PLAT_WS_CAPTION},
    {"WS_SYSMENU", PLAT_WS_SYSMENU}};

uint32_t StyleBits(const std::string& names) {
  uint32_t style = 0;
  std::istringstream words(names);
  for (std::string word; std::getline(words, word, '|');) {
    word = std::regex_replace(word, std::regex("\\s"), "");
    if (!word.empty()) style |= kStyleNames.at(word);
  }
  return style;
}

std::vector<ResourceControl> ReadResourceControls(const std::string& script) {
  static const std::map<std::string, PlatControlKind> kinds = {
      {"DEFPUSHBUTTON", PLAT_CONTROL_DEFAULT_PUSH_BUTTON},
      {"PUSHBUTTON", PLAT_CONTROL_PUSH_BUTTON},
      {"EDITTEXT", PLAT_CONTROL_EDIT},
      {"LISTBOX", PLAT_CONTROL_LIST_BOX}};
  static const std::map<std::string, int32_t> ids = {{"IDOK", PLAT_IDOK},
                                                     {"IDCANCEL", PLAT_IDCANCEL}};
  const std::regex line(
      R"re(\n\s*([A-Z]+)\s+(?:"([^"]*)",\s*)?(\w+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*([^\n]*))re");
  std::vector<ResourceControl> controls;
  for (std::sregex_iterator at(script.begin(), script.end(), line), end; at != end; ++at) {
    const std::smatch& m = *at;
    if (!kinds.contains(m[1])) continue;
    const PlatControlKind kind = kinds.at(m[1]);
    // Every control is a visible child; a default button carries its button style.
    uint32_t style = PLAT_WS_CHILD | PLAT_WS_VISIBLE | StyleBits(m[8]);
    if (kind == PLAT_CONTROL_DEFAULT_PUSH_BUTTON) style |= PLAT_BS_DEFPUSHBUTTON;
    const std::string text = m[2];
    controls.push_back(
        {kind,
         std::u16string(text.begin(), text.end()),
         ids.contains(m[3]) ? ids.at(m[3]) : std::stoi(m[3]),
         {static_cast<int16_t>(std::stoi(m[4])), static_cast<int16_t>(std::stoi(m[5])),
          static_cast<int16_t>(std::stoi(m[6])), static_cast<int16_t>(std::stoi(m[7]))},
         style});
  }
  return controls;
}

TEST(LoadDialogTemplate, WindowsResourceSaysTheSame) {
  std::ifstream file(STAMP_RESOURCE_SCRIPT);
  ASSERT_TRUE(file) << STAMP_RESOURCE_SCRIPT;
  const std::string script((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
  const PlatDialogTemplate& t = kLoadDialogTemplate;
  std::smatch frame;
  ASSERT_TRUE(std::regex_search(
      script, frame,
      std::regex(
          R"re(\n(\d+) DIALOG (\d+), (\d+), (\d+), (\d+)\nSTYLE ([^\n]*)\nCAPTION "([^"]*)"\nFONT (\d+), "([^"]*)")re")));
  EXPECT_EQ(std::stoi(frame[1]), t.resourceId);
  EXPECT_EQ((std::array{std::stoi(frame[2]), std::stoi(frame[3]), std::stoi(frame[4]),
                        std::stoi(frame[5])}),
            (std::array<int, 4>{t.x, t.y, t.width, t.height}));
  EXPECT_EQ(StyleBits(frame[6]), t.style);
  EXPECT_EQ(std::u16string(frame[7].first, frame[7].second), TextOf(t.caption));
  EXPECT_EQ(std::stoi(frame[8]), t.fontPoints);
  EXPECT_EQ(std::u16string(frame[9].first, frame[9].second), TextOf(t.fontName));

  const std::vector<ResourceControl> controls = ReadResourceControls(script);
  ASSERT_EQ(controls.size(), static_cast<size_t>(t.controlCount));
  for (size_t i = 0; i < controls.size(); ++i) {
    const PlatDialogControl& want = t.controls[i];
    const ResourceControl& got = controls[i];
    SCOPED_TRACE("control " + std::to_string(want.id));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.text, want.text != nullptr ? want.text : u"");
    EXPECT_EQ(got.box, (std::array{want.x, want.y, want.width, want.height}));
    EXPECT_EQ(got.style, want.style);
  }
}

}  // namespace
}  // namespace stamp
