// "stamp-host gui [--profile FILE] [--canvas WxH] [--dumps DIR] [FILE]" on Windows: the stamp
// tool in a window of its own (stamp_frame.h), driven with the mouse. The same command as the
// Linux window's (host/gui/app/gui_command.h), under the same names; --dumps writes every buffer of
// the record as DIR/window-NAME.bmp (and the canvas and panel as PNG) when the window closes, as
// a script's "save window" does, so what was drawn can be compared with a script's run.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::gui {

inline constexpr std::string_view kGuiUsage =
    "gui [--profile FILE] [--canvas WxH] [--dumps DIR] [FILE]";

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::gui
