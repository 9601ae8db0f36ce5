// The window's size and place between runs, kept with Qt's own settings
// ($XDG_CONFIG_HOME/stamp-host/window.conf, else ~/.config/stamp-host/window.conf). The first run
// opens the window over about 80% of the screen's available area, centred.
#pragma once

#include <QWidget>

namespace stamp::gui {

void RestoreWindowSize(QWidget& window);
void RememberWindowSize(const QWidget& window);

}  // namespace stamp::gui
