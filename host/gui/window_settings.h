// The window's own settings between runs (its size and place, the recent files, the last new
// canvas's size), kept with Qt's settings in $XDG_CONFIG_HOME/stamp-host/window.conf, else
// ~/.config/stamp-host/window.conf. The tool's settings stay in the application profile.
#pragma once

#include <QSettings>

namespace stamp::gui {

QSettings WindowSettings();

}  // namespace stamp::gui
