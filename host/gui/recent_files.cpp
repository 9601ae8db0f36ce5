#include "host/gui/recent_files.h"

#include <QFileInfo>
#include <QMenu>

#include "host/gui/window_settings.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "recent/files";

void Keep(const QStringList& files) { WindowSettings().setValue(kKey, files); }

}  // namespace

QStringList RecentFiles() { return WindowSettings().value(kKey).toStringList(); }

void AddRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  Keep(files.mid(0, kMaxRecentFiles));
}

void DropRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(QFileInfo(path).absoluteFilePath());
  Keep(files);
}

void FillRecentMenu(QMenu& menu, const std::function<void(const QString&)>& open) {
  menu.clear();
  const QStringList files = RecentFiles();
  if (files.isEmpty()) menu.addAction(QObject::tr("No recent files"))->setEnabled(false);
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    // Items 1 to 9 take their number as the access key, the tenth 0; a '&' in a path is shown.
    QAction* item =
        menu.addAction(QString("&%1  %2").arg((i + 1) % 10).arg(QString(path).replace('&', "&&")));
    QObject::connect(item, &QAction::triggered, &menu, [open, path] { open(path); });
  }
}

}  // namespace stamp::gui
