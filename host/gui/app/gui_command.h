// "stamp-host gui [--profile FILE] [--canvas WxH] [FILE]": the stamp tool in a window of its own,
// driven with the mouse, opening FILE (a drawing, or a picture into layer 0) when one is given.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::gui {

inline constexpr std::string_view kGuiUsage = "gui [--profile FILE] [--canvas WxH] [FILE]";

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::gui
