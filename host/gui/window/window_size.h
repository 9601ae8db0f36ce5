// The window's size and place between runs, kept with its settings (window_settings.h). The first
// run opens the window over about 80% of the screen's available area, centred.
#pragma once

#include <QWidget>

namespace stamp::gui {

void RestoreWindowSize(QWidget& window);
void RememberWindowSize(const QWidget& window);

}  // namespace stamp::gui
