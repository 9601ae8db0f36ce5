// Stamp > New sheet from pictures in the Win32 window, as the Linux window has it: the user adds
// 1 to 12 pictures (PNG, BMP, JPEG, GIF or TIFF, read through host/picture) with the system's
// open-file dialog, sees the sheet they make (the sheet command's preview: twelve numbered
// cells), names it and saves it into their own sheet folder (%APPDATA%\stamp-host\stamp), asked
// first before a sheet of that name is replaced. A picture that cannot be used, or a folder that
// cannot take the sheet, is named in a message and the dialog stays as it was. The dialog's work
// on the pictures and the file is host/sheets/sheet_saving.h's.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

namespace stamp::window {

// Runs the dialog over owner: the sheet it saved, or nullopt when the user cancelled.
std::optional<std::filesystem::path> AskNewSheet(HWND owner);

}  // namespace stamp::window
