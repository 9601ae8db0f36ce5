// "stamp-host sheet FILE [--out PREFIX]": decodes a BMP with the platform's decoder, prints its
// format and size and whether it fills the 120x90 cell area of a stamp sheet, and with --out
// writes the decoded pixels as PREFIX.ppm (P6, top row first) and a preview of the twelve cells,
// numbered 0 to 11, as PREFIX.png. With --make it makes a sheet from pictures instead
// (sheet_make_command.h).
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace stamp::host {

inline constexpr std::string_view kSheetUsage =
    "sheet FILE [--out PREFIX] | --make OUT.bmp PICTURE... [--preview PNG]";

inline constexpr std::string_view kSheetHelp =
    "Decodes FILE with the platform's BMP decoder and prints its format, its size and whether it\n"
    "fills the 120x90 cell area of a stamp sheet.\n\n"
    "  --out PREFIX  also write PREFIX.ppm (the decoded pixels) and PREFIX.png (the twelve\n"
    "                cells at twice their size, numbered 0 to 11); missing folders of PREFIX\n"
    "                are created\n";

// args are the words after "sheet". Gives the exit code: 0 decoded, 1 refused or unreadable (one
// line on err), 2 a usage error.
int RunSheetCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace stamp::host
