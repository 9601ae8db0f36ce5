#include "host/gui/app/window_settings.h"

#include <QFile>

#include "host/commands/command_line.h"

namespace stamp::gui {

QSettings WindowSettings() {
  if (const std::optional<std::filesystem::path> folder =
          host::HostUserFolder(host::UserFolder::kConfig)) {
    return QSettings(QFile::decodeName((*folder / "window.conf").c_str()), QSettings::IniFormat);
  }
  return QSettings("stamp-host", "window");
}

}  // namespace stamp::gui
