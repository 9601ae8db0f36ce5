#include "host/gui/recent_files.h"

#include <QFileInfo>
#include <QMenu>

#include "host/gui/window_settings.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "recent/files";

void Keep(const QStringList& files) { WindowSettings().setValue(kKey, files); }

// An entry kept when it names a file or names nothing now (a drive not mounted, a file moved
// away for a while: choosing it says it is gone); a folder, a device or a relative name is not.
bool MayBeAFile(const QString& path) {
  const QFileInfo entry(path);
  return entry.isAbsolute() && (entry.isFile() || !entry.exists());
}

}  // namespace

QStringList RecentFiles(qsizetype* dropped) {
  const QStringList stored = WindowSettings().value(kKey).toStringList();
  QStringList files;
  for (const QString& path : stored) {
    if (files.size() < kMaxRecentFiles && MayBeAFile(path) && !files.contains(path)) {
      files.append(path);
    }
  }
  if (files != stored) Keep(files);
  if (dropped != nullptr) *dropped = stored.size() - files.size();
  return files;
}

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
  qsizetype dropped = 0;
  const QStringList files = RecentFiles(&dropped);
  if (files.isEmpty()) menu.addAction(QObject::tr("No recent files"))->setEnabled(false);
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    // Items 1 to 9 take their number as the access key, the tenth 0; a '&' in a path is shown.
    QAction* item =
        menu.addAction(QString("&%1  %2").arg((i + 1) % 10).arg(QString(path).replace('&', "&&")));
    QObject::connect(item, &QAction::triggered, &menu, [open, path] { open(path); });
  }
  if (dropped > 0) {
    menu.addAction(QObject::tr("%1 entries beyond the last %2 files, or not files, were dropped")
                       .arg(dropped)
                       .arg(kMaxRecentFiles))
        ->setEnabled(false);
  }
}

}  // namespace stamp::gui
