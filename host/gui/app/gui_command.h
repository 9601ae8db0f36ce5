// "stamp-host gui [--profile FILE] [--canvas WxH] [--record SCRIPT] [FILE]": the stamp tool in a
// window of its own, driven with the mouse, opening FILE (a drawing, or a picture into layer 0)
// when one is given, or recording the drawing's steps into SCRIPT (gui_command_line.h).
#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "host/document/gui_command_line.h"

namespace stamp::gui {

using document::kGuiUsage;

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::gui
