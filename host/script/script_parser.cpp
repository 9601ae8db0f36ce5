#include "host/script/script_parser.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "host/script/shown_text.h"

namespace stamp::host {
namespace {

enum class Argument {
  kNone,
  kNumbers,       // `numbers` integers
  kText,          // the rest of the line, not empty
  kOptionalText,  // the rest of the line, may be empty
  kName,          // one word of letters, digits, '.', '-' and '_'
};

struct CommandForm {
  std::string_view words;
  Op op;
  Argument argument;
  int numbers;
  std::string_view usage;
  std::string_view summary;  // an event's follows the name of its export
  EventKind event = EventKind::kPanelDown;
};

constexpr CommandForm kScriptCommands[] = {
    {"panel down", Op::kEvent, Argument::kNumbers, 2, "X Y", "(X, Y)", EventKind::kPanelDown},
    {"panel move", Op::kEvent, Argument::kNumbers, 2, "X Y", "(X, Y)", EventKind::kPanelMove},
    {"panel up", Op::kEvent, Argument::kNumbers, 2, "X Y", "(X, Y)", EventKind::kPanelUp},
    {"pen down", Op::kEvent, Argument::kNumbers, 2, "X Y", "(X, Y), view coordinates",
     EventKind::kPenDown},
    {"pen move", Op::kEvent, Argument::kNumbers, 2, "X Y", "(0, 0, X, Y)", EventKind::kPenMove},
    {"pen up", Op::kEvent, Argument::kNumbers, 2, "X Y", "(X, Y)", EventKind::kPenUp},
    {"key a", Op::kEvent, Argument::kNone, 0, "", "(): the previous cell", EventKind::kKeyA},
    {"key b", Op::kEvent, Argument::kNone, 0, "", "(): the next cell", EventKind::kKeyB},
    {"layer", Op::kLayer, Argument::kNumbers, 1, "N", "activeLayer = N"},
    {"view", Op::kView, Argument::kNumbers, 3, "X Y SHIFT", "viewX, viewY, zoomShift"},
    {"undo", Op::kUndo, Argument::kNone, 0, "", "copy undoBuffer back into layer undoLayer"},
    {"history undo", Op::kHistoryUndo, Argument::kNone, 0, "",
     "the windows' Undo: the last stroke kept in the host's history taken back"},
    {"history redo", Op::kHistoryRedo, Argument::kNone, 0, "",
     "the windows' Redo: the last stroke taken back done again"},
    {"dialog select", Op::kDialogSelect, Argument::kNumbers, 1, "K",
     "next load dialog: select list entry K"},
    {"dialog type", Op::kDialogType, Argument::kOptionalText, 0, "TEXT",
     "next load dialog: type TEXT into the path box"},
    {"dialog file", Op::kDialogFile, Argument::kOptionalText, 0, "PATH",
     "next load dialog: press File, the picker answers PATH (none: cancelled)"},
    {"dialog ok", Op::kDialogOk, Argument::kNone, 0, "", "next load dialog: press OK"},
    {"dialog cancel", Op::kDialogCancel, Argument::kNone, 0, "", "next load dialog: press Cancel"},
    {"expect result", Op::kExpectResult, Argument::kNumbers, 1, "N",
     "fail (exit 3) unless the last export returned N"},
    {"expect message", Op::kExpectMessage, Argument::kText, 0, "TEXT",
     "fail (exit 3) unless the last message box showed TEXT"},
    {"save", Op::kSave, Argument::kName, 0, "NAME",
     "write NAME-canvas.png, NAME-panel.png and NAME-BUFFER.bmp for every buffer"},
    {"destroy", Op::kDestroy, Argument::kNone, 0, "", "plg_destroy(): the settings are written"},
    {"init", Op::kInit, Argument::kNone, 0, "", "plg_init(record) again"},
};

// An editor's mark of UTF-8 text at the start of a script, not part of its first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Words whose commands take a second word.
constexpr std::string_view kGroups[] = {"panel", "pen", "key", "dialog", "expect", "history"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The line without its comment: from a '#' that begins a word.
std::string_view StripComment(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || IsBlank(line[i - 1]))) return line.substr(0, i);
  }
  return line;
}

// Takes the next word off the front of text.
std::string_view NextWord(std::string_view& text) {
  text = Trim(text);
  size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

bool IsGroup(std::string_view word) {
  for (std::string_view group : kGroups) {
    if (group == word) return true;
  }
  return false;
}

bool IsName(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !digit && c != '.' && c != '-' && c != '_') return false;
  }
  return text.front() != '.';
}

// Parses the arguments of one command, or fails saying what is wrong with them.
Status ParseArguments(const CommandForm& form, std::string_view rest, ScriptCommand& command) {
  const Failure takes{
      std::string("\"")
          .append(form.words)
          .append("\" takes ")
          .append(form.usage.empty() ? std::string_view("nothing more") : form.usage)};
  switch (form.argument) {
    case Argument::kOptionalText: command.text = Trim(rest); return {};
    case Argument::kText:
      command.text = Trim(rest);
      if (command.text.empty()) return takes;
      return {};
    case Argument::kName:
      command.text = NextWord(rest);
      if (!IsName(command.text) || !Trim(rest).empty()) {
        return Failure{takes.message + " (letters, digits, . - _)"};
      }
      return {};
    case Argument::kNone:
      if (!Trim(rest).empty()) return takes;
      return {};
    case Argument::kNumbers: break;
  }
  for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
    int32_t value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (status == std::errc::result_out_of_range)
      return Failure{std::string("number ").append(ShownText(word)).append(" is out of range")};
    if (status != std::errc() || end != word.data() + word.size()) {
      return Failure{std::string("\"").append(ShownText(word)).append("\" is not a number")};
    }
    command.numbers.push_back(value);
  }
  if (static_cast<int>(command.numbers.size()) != form.numbers) return takes;
  return {};
}

// Finds the command a line names, or fails saying why no command matches.
Status ParseLine(std::string_view line, ScriptCommand& command) {
  std::string_view rest = line;
  const std::string_view first = NextWord(rest);
  std::string_view afterSecond = rest;
  const std::string_view second = NextWord(afterSecond);
  const std::string twoWords = std::string(first) + " " + std::string(second);
  for (const CommandForm& form : kScriptCommands) {
    const bool grouped = IsGroup(first);
    if (form.words != (grouped ? std::string_view(twoWords) : first)) continue;
    command.op = form.op;
    command.event = form.event;
    return ParseArguments(form, grouped ? afterSecond : rest, command);
  }
  const std::string named = IsGroup(first) && !second.empty() ? twoWords : std::string(first);
  return Failure{"unknown command \"" + ShownText(named) + "\""};
}

}  // namespace

std::string ScriptLanguageHelp() {
  std::string help;
  for (const CommandForm& form : kScriptCommands) {
    std::string command = std::string(form.words) + " " + std::string(form.usage);
    command.resize(std::max<size_t>(command.size(), 20), ' ');
    const std::string call = form.op == Op::kEvent ? EventExportName(form.event) : "";
    help += "  " + command + "  " + call + std::string(form.summary) + "\n";
  }
  return help;
}

Result<std::string> ScriptLine(const ScriptCommand& command) {
  const auto form =
      std::find_if(std::begin(kScriptCommands), std::end(kScriptCommands),
                   [&command](const CommandForm& candidate) {
                     return candidate.op == command.op &&
                            (command.op != Op::kEvent || candidate.event == command.event);
                   });
  if (form == std::end(kScriptCommands)) return Failure{"the command has no line"};
  std::string line(form->words);
  for (const int32_t number : command.numbers) line.append(" ").append(std::to_string(number));
  const std::string_view text = command.text;
  const bool holdsText = form->argument == Argument::kText ||
                         form->argument == Argument::kOptionalText ||
                         form->argument == Argument::kName;
  if (!holdsText) return line;
  // Only a text that reads back unchanged is written: nothing that ends the line, no blank the
  // reading trims, no "#" that begins a comment.
  const bool readsBack = text.find_first_of("\n\r") == std::string_view::npos &&
                         Trim(text) == text && StripComment(text) == text &&
                         (form->argument != Argument::kName || IsName(text)) &&
                         (form->argument != Argument::kText || !text.empty());
  if (!readsBack) {
    return Failure{
        std::string("\"").append(ShownText(text)).append("\" cannot be written as a script line")};
  }
  if (!text.empty()) line.append(" ").append(text);
  return line;
}

Result<Script> ParseScript(std::string_view text, const std::string& name) {
  Script script{name, {}};
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  int lineNumber = 0;
  while (!text.empty() || lineNumber == 0) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(StripComment(text.substr(0, end)));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.empty()) continue;
    ScriptCommand command{Op::kUndo, lineNumber, {}, {}};
    if (const Status parsed = ParseLine(line, command); !parsed.ok()) {
      return Failure{name + ":" + std::to_string(lineNumber) + ": " + parsed.error()};
    }
    script.commands.push_back(std::move(command));
  }
  return script;
}

}  // namespace stamp::host
