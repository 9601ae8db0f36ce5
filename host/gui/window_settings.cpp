#include "host/gui/window_settings.h"

namespace stamp::gui {

QSettings WindowSettings() { return QSettings("stamp-host", "window"); }

}  // namespace stamp::gui
