// Loading a sheet into the running tool as a user does: the panel's file button pressed, the
// sheet's path typed into the load dialog, OK. The tool's own load path runs, so the sheet is
// remembered in the profile and the angle and cell are reset as after any choice in the dialog.
// On Linux the dialog is answered through the UI back end the host registers
// (sheet_loading_posix.cpp); on Windows it is the system's real dialog, answered by a watcher of
// the thread's dialogs (sheet_loading_win32.cpp, host/session/load_dialog_answer_win32.h).
#pragma once

#include <string>

#include "host/session/session.h"
#include "stamp/plugin.h"

namespace stamp::host {

// The panel's file button pressed: the two events a load sends, in order.
inline constexpr PluginEvent kFileButtonPress[] = {
    {EventKind::kPanelDown, STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y},
    {EventKind::kPanelUp, STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y}};

// For this one press, the load dialog is answered with path (the tool's backslash form) while
// everything else (the tool's message boxes, among them its "Stamp file open error") goes to
// whoever answered before, who answers again after. Gives what the press changed,
// as the session acted on it.
EventOutcome LoadSheetThroughDialog(Session& session, const std::u16string& path);

}  // namespace stamp::host
