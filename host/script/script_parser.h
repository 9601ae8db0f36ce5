// The script language: one command per line; "#" at the start of a word begins a comment that
// runs to the end of the line; blank lines are ignored; numbers are decimal 32-bit integers and
// may be negative. Every export's result acts as the host acts on it (2 redraws the panel).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/result.h"
#include "host/script/script.h"

namespace stamp::host {

// One line per command: its words, what it takes, and what it does.
std::string ScriptLanguageHelp();

// The whole script, or one line naming the script and the line where it fails:
//   script.txt:12: unknown command "pen dwn"
Result<Script> ParseScript(std::string_view text, const std::string& name);

// The line command is written as, which ParseScript reads back as the same command. Fails for a
// text no line can hold the same: one that breaks the line, has blanks at either end or a "#"
// that begins a word.
Result<std::string> ScriptLine(const ScriptCommand& command);

}  // namespace stamp::host
