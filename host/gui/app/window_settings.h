// The window's own settings between runs (its size and place, the recent files, the last new
// canvas's size), kept in window.conf in the host's configuration folder (HostUserFolder in
// host/commands/command_line.h), else where Qt keeps settings. The tool's settings stay in the
// application profile.
#pragma once

#include <QSettings>

namespace stamp::gui {

QSettings WindowSettings();

}  // namespace stamp::gui
