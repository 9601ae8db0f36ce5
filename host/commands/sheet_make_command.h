// "stamp-host sheet --make OUT.bmp PICTURE... [--preview PNG]": makes a stamp sheet from 1 to 12
// pictures (PNG or BMP, and on Windows JPEG, GIF and TIFF; see host/picture/picture_reader.h and
// host/sheets/sheet_maker.h), writes it to OUT.bmp as a 24-bit BMP, says which picture went into
// which cell, and with --preview writes the twelve cells as the sheet
// command's --out does. Every picture is read before anything is written: each one that cannot
// be used gives one line, and then nothing is written.
#pragma once

#include <ostream>

#include "host/commands/command_line.h"

namespace stamp::host {

inline constexpr std::string_view kSheetMakeHelp =
    "  --make OUT.bmp  make a stamp sheet from 1 to 12 pictures instead (PNG or BMP, and on\n"
    "                  Windows JPEG, GIF and TIFF): each is fitted into a 30x30 cell on white\n"
    "                  with its aspect kept (area averaging), the cells filled row by row, four\n"
    "                  to a row\n"
    "  --preview PNG   with --make, also write the twelve cells as --out's PNG shows them\n";

// line holds the sheet command's words, --make among them. Gives the exit code: 0 written,
// 1 a picture refused or a file not written, 2 a usage error.
int RunSheetMake(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace stamp::host
