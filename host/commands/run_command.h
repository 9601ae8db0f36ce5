// "stamp-host run SCRIPT [--out DIR] [--profile FILE] [--canvas WxH] [--quiet]": runs a script
// against the plug-in in the host's folder.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::host {

inline constexpr std::string_view kRunUsage =
    "run SCRIPT [--out DIR] [--profile FILE] [--canvas WxH] [--quiet]";

int RunRunCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::host
