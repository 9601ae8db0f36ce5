#include "host/gui/window/recent_files.h"

#include <QFileInfo>
#include <QMenu>

#include "host/gui/app/window_settings.h"
#include "host/gui/window/qt_document.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "recent/files";

QStringList Names(const document::RecentList& files) {
  QStringList names;
  for (const std::filesystem::path& file : files) names.append(FileName(file));
  return names;
}

document::RecentList Stored() {
  document::RecentList files;
  for (const QString& name : WindowSettings().value(kKey).toStringList()) {
    files.push_back(FilePath(name));
  }
  return files;
}

void Keep(const document::RecentList& files) { WindowSettings().setValue(kKey, Names(files)); }

}  // namespace

QStringList RecentFiles(qsizetype* dropped) {
  const document::RecentList stored = Stored();
  const document::RecentList files = document::TidyRecentFiles(stored);
  if (files != stored) Keep(files);
  if (dropped != nullptr) *dropped = static_cast<qsizetype>(stored.size() - files.size());
  return Names(files);
}

// Qt's absolute form of the path, so that a window's list matches the names it shows.
void AddRecentFile(const QString& path) {
  Keep(document::WithRecentFile(Stored(), FilePath(QFileInfo(path).absoluteFilePath())));
}

void DropRecentFile(const QString& path) {
  Keep(document::WithoutRecentFile(Stored(), FilePath(QFileInfo(path).absoluteFilePath())));
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
