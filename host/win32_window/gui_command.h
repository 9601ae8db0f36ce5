// "stamp-host gui [--profile FILE] [--canvas WxH] [--record SCRIPT] [--dumps DIR] [FILE]" on
// Windows: the stamp tool in a window of its own (stamp_frame.h), driven with the mouse. The same
// command as the Linux window's (host/document/gui_command_line.h); --dumps writes every buffer of
// the record as DIR/window-NAME.bmp (and the canvas and panel as PNG) when the window closes, as
// a script's "save window" does, so what was drawn can be compared with a script's run.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "host/document/gui_command_line.h"

namespace stamp::gui {

using document::kGuiUsage;

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::gui
