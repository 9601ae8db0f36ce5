// The user's own stamp sheets, in the folder the desktop's conventions give a program's data:
// $XDG_DATA_HOME/stamp-host/stamp (an absolute XDG_DATA_HOME), else
// ~/.local/share/stamp-host/stamp (UserSheetFolder in host/commands/command_line.h).
//
// The tool lists the sheets of the stamp/ folder beside the program it runs in, and the host's
// own samples lie in the host's folder, which an installed package keeps read-only. So the window
// lays the samples into the user's folder as links (never over an entry of the user's own: a
// user's sheet of a sample's name is the one listed) and shows the tool the user's folder as its
// own: the load dialog lists the samples and the user's sheets together, and a sheet the user
// drops into the folder is listed the next time the dialog opens.
//
// On Windows the sheet folder is %APPDATA%\stamp-host\stamp and nothing is linked into it (a
// link needs a right a user seldom has, and a copy of each sample would be files the user never
// asked for): the tool keeps listing the host's own stamp\ folder, and a sheet saved in the
// user's folder is loaded by its typed path, which the tool keeps in its profile. So
// PrepareUserSheetFolder and ShowUserSheetsToTool are Linux's alone (user_sheets_posix.cpp).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "host/result.h"

namespace stamp::host {

inline constexpr char kSheetExtension[] = ".bmp";

// Makes folder when missing, checks that it can be written, removes the links a killed window
// left there under its temporary names, and links into it each sample sheet of samples (a *.bmp
// file) whose name is free there or held by a link that leads nowhere.
// Fails with one sentence naming the folder and what failed; the samples stay where they are.
Status PrepareUserSheetFolder(const std::filesystem::path& folder,
                              const std::filesystem::path& samples);

// Whether name ends in ".bmp" in any case: the tool lists "*.bmp" without regard to case.
bool IsSheetName(const std::string& name);

// The file name a sheet called name is saved under: name with ".bmp" added unless it ends so.
// Refuses, saying why, a name that is empty, begins with a dot, or holds a slash, a backslash or
// a control character, and a file name the running system refuses (SystemFileNameRefusal).
Result<std::string> SheetFileName(const std::string& name);

// Why the running system cannot keep a file under name, beyond SheetFileName's own rules; ""
// when it can. Linux takes every such name. Windows refuses < > : " | ? * (a colon would name a
// hidden stream of another file) and the device names CON, PRN, AUX, NUL, COM1 to COM9 and LPT1
// to LPT9, with any extension (the device would take the bytes).
std::string SystemFileNameRefusal(const std::string& name);

// Prepares folder, the user's sheet folder (UserSheetFolder in host/commands/command_line.h;
// nullopt when there is none), with the samples of hostFolder/stamp and makes the tool take it
// for its stamp folder (the program path the platform reports lies beside it). Fails saying why
// the tool keeps listing the host's own samples instead.
Status ShowUserSheetsToTool(const std::optional<std::filesystem::path>& folder,
                            const std::filesystem::path& hostFolder);

}  // namespace stamp::host
