// The script language: every command with its arguments, comments and blank lines, and errors
// that name the line.
#include <gtest/gtest.h>

#include "host/script/script_parser.h"

namespace stamp::host {
namespace {

Script Parse(std::string_view text) {
  const Result<Script> script = ParseScript(text, "s.txt");
  EXPECT_TRUE(script.ok()) << script.error();
  return script.ok() ? *script : Script{};
}

std::string ErrorOf(std::string_view text) {
  const Result<Script> script = ParseScript(text, "script.txt");
  EXPECT_FALSE(script.ok()) << text;
  return script.error();
}

TEST(ScriptParser, EveryCommandWithItsArguments) {
  struct Expected {
    std::string line;
    Op op;
    std::vector<int32_t> numbers;
    std::string text;
    EventKind event = EventKind::kPanelDown;
  };
  const std::vector<Expected> expected = {
      {"panel down 1 2", Op::kEvent, {1, 2}, "", EventKind::kPanelDown},
      {"panel move -3 4", Op::kEvent, {-3, 4}, "", EventKind::kPanelMove},
      {"panel up 5 -6", Op::kEvent, {5, -6}, "", EventKind::kPanelUp},
      {"pen down 7 8", Op::kEvent, {7, 8}, "", EventKind::kPenDown},
      {"pen move 9 10", Op::kEvent, {9, 10}, "", EventKind::kPenMove},
      {"pen up 11 12", Op::kEvent, {11, 12}, "", EventKind::kPenUp},
      {"key a", Op::kEvent, {}, "", EventKind::kKeyA},
      {"key b", Op::kEvent, {}, "", EventKind::kKeyB},
      {"layer 2", Op::kLayer, {2}, ""},
      {"view -1 2 3", Op::kView, {-1, 2, 3}, ""},
      {"undo", Op::kUndo, {}, ""},
      {"history undo", Op::kHistoryUndo, {}, ""},
      {"history redo", Op::kHistoryRedo, {}, ""},
      {"dialog select 4", Op::kDialogSelect, {4}, ""},
      {"dialog type C:\\sheets\\my sheet.bmp", Op::kDialogType, {}, "C:\\sheets\\my sheet.bmp"},
      {"dialog file ../a.bmp", Op::kDialogFile, {}, "../a.bmp"},
      {"dialog file", Op::kDialogFile, {}, ""},
      {"dialog ok", Op::kDialogOk, {}, ""},
      {"dialog cancel", Op::kDialogCancel, {}, ""},
      {"expect result 9", Op::kExpectResult, {9}, ""},
      {"expect message Please load stamp", Op::kExpectMessage, {}, "Please load stamp"},
      {"save step-1_b.x", Op::kSave, {}, "step-1_b.x"},
      {"destroy", Op::kDestroy, {}, ""},
      {"init", Op::kInit, {}, ""}};
  std::string text;
  for (const Expected& command : expected) text += command.line + "\n";
  const Script script = Parse(text);
  ASSERT_EQ(script.commands.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(script.commands[i].op, expected[i].op);
    EXPECT_EQ(script.commands[i].event, expected[i].event);
    EXPECT_EQ(script.commands[i].numbers, expected[i].numbers);
    EXPECT_EQ(script.commands[i].text, expected[i].text);
    EXPECT_EQ(script.commands[i].line, static_cast<int>(i) + 1);
    const Result<std::string> written = ScriptLine(script.commands[i]);
    EXPECT_EQ(written.ok() ? *written : written.error(), expected[i].line) << "written back";
  }
}

// A text that would not read back the same is refused, not written.
TEST(ScriptParser, TextsNoLineHoldsAreNotWritten) {
  for (const char* text : {"a\nb", " lead", "trail ", "# comment", "a #b"}) {
    EXPECT_FALSE(ScriptLine({Op::kDialogType, 0, {}, text}).ok()) << text;
  }
  EXPECT_FALSE(ScriptLine({Op::kExpectMessage, 0, {}, ""}).ok());
  EXPECT_FALSE(ScriptLine({Op::kSave, 0, {}, "a/b"}).ok());
}

TEST(ScriptParser, CommentsBlankLinesAndLineEndings) {
  const Script script = Parse(
      "# a comment\n\n   \t\npen down 1 2 # after a command\r\n"
      "dialog type a#b.bmp  # '#' inside a word is text\n  key   b  \n#key a");
  ASSERT_EQ(script.commands.size(), 3u);
  EXPECT_EQ(script.commands[0].line, 4);
  EXPECT_EQ(script.commands[0].numbers, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(script.commands[1].text, "a#b.bmp");
  EXPECT_EQ(script.commands[2].event, EventKind::kKeyB);
  EXPECT_EQ(script.commands[2].line, 6);
  EXPECT_TRUE(Parse("").commands.empty());
  EXPECT_EQ(Parse("\xEF\xBB\xBFkey a\n").commands.at(0).event, EventKind::kKeyA)
      << "byte-order mark";
}

TEST(ScriptParser, ErrorsNameTheScriptAndTheLine) {
  for (const auto& [text, error] : {
           std::pair<std::string, std::string>{"key a\n\n\n\n\n\n\n\n\n\n\npen dwn 10 20\n",
                                               "script.txt:12: unknown command \"pen dwn\""},
           {"paint 1 2", "script.txt:1: unknown command \"paint\""},
           {"key c", "script.txt:1: unknown command \"key c\""},
           {"dialog", "script.txt:1: unknown command \"dialog\""},
           {"pen down 1", "script.txt:1: \"pen down\" takes X Y"},
           {"pen down 1 2 3", "script.txt:1: \"pen down\" takes X Y"},
           {"view 1 2", "script.txt:1: \"view\" takes X Y SHIFT"},
           {"layer one", "script.txt:1: \"one\" is not a number"},
           {"layer +1", "script.txt:1: \"+1\" is not a number"},
           {"pen up 1 2x", "script.txt:1: \"2x\" is not a number"},
           {"layer 2147483648", "script.txt:1: number 2147483648 is out of range"},
           {"undo now", "script.txt:1: \"undo\" takes nothing more"},
           {"key a b", "script.txt:1: \"key a\" takes nothing more"},
           {"expect message", "script.txt:1: \"expect message\" takes TEXT"},
           {"save", "script.txt:1: \"save\" takes NAME (letters, digits, . - _)"},
           {"save a/b", "script.txt:1: \"save\" takes NAME (letters, digits, . - _)"},
           {"save ..", "script.txt:1: \"save\" takes NAME (letters, digits, . - _)"},
           {"save a b", "script.txt:1: \"save\" takes NAME (letters, digits, . - _)"},
           // Quoted script bytes are safe for a terminal: controls, DEL, C1 controls and
           // malformed UTF-8 escaped, other UTF-8 kept, long tokens cut after 60 characters.
           {"\xEF\xBB\xBFpaint", "script.txt:1: unknown command \"paint\""},
           {"\x1B[2J\x1B]0;title\x07",
            "script.txt:1: unknown command \"\\x1B[2J\\x1B]0;title\\x07\""},
           {"layer 1\x7F\xC2\x9B\xC3\xA9\xFF\xC3",
            "script.txt:1: \"1\\x7F\\xC2\\x9B\xC3\xA9\\xFF\\xC3\" is not a number"},
           {"layer 1" + std::string(1000000, '0'),
            "script.txt:1: number 1" + std::string(59, '0') + "... is out of range"},
       }) {
    EXPECT_EQ(ErrorOf(text), error);
  }
}

}  // namespace
}  // namespace stamp::host
