// "stamp-host gui [--profile FILE] [--canvas WxH]": the stamp tool in a window of its own, driven
// with the mouse.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::gui {

inline constexpr std::string_view kGuiUsage = "gui [--profile FILE] [--canvas WxH]";

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::gui
