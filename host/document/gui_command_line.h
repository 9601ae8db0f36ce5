// The command line of "stamp-host gui", one for both windows: the canvas's size, the profile,
// the script the drawing's steps are recorded into, the file to open, and on Windows the folder
// the record's buffers are written to when the window closes (--dumps, for the window's tests).
// Each window gives its own help text; the checks and their messages are the same.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "host/session/session.h"

namespace stamp::document {

#ifdef _WIN32
inline constexpr std::string_view kGuiUsage =
    "gui [--profile FILE] [--canvas WxH] [--record SCRIPT] [--dumps DIR] [FILE]";
#else
inline constexpr std::string_view kGuiUsage =
    "gui [--profile FILE] [--canvas WxH] [--record SCRIPT] [FILE]";
#endif

// The options' lines of the help that name a system's own places: before the canvas's line
// (the profile's) and after it (the file's, and what the window needs).
struct GuiHelp {
  std::string_view beforeCanvas;
  std::string_view afterCanvas;
};

struct GuiRun {
  host::SessionOptions options;
  std::optional<std::string> file;  // as given, UTF-8
  std::optional<std::filesystem::path> record;
  std::optional<std::filesystem::path> dumps;
};

// The window's run, or the exit code when the command ends here: the help printed to out, or
// a usage error or a size or profile that cannot be had printed to err.
std::variant<int, GuiRun> ReadGuiCommandLine(std::span<const std::string_view> args,
                                             const GuiHelp& help, std::ostream& out,
                                             std::ostream& err);

}  // namespace stamp::document
