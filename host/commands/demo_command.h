// "stamp-host demo [--out DIR] [--dumps] [--verbose | --quiet]": runs the built-in demo script,
// which loads the nature sheet through the load dialog and stamps a small scene with several
// cells, reductions, angles and all three layers, frames it with shapes from a second sheet, then
// writes DIR/canvas.png and DIR/panel.png (DIR: ./stamp-out) and says so in three lines; the
// plug-in's calls go to DIR/demo-calls.log, or to the output with --verbose.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::host {

inline constexpr std::string_view kDemoUsage = "demo [--out DIR] [--dumps] [--verbose | --quiet]";

int RunDemoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::host
