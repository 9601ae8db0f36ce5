// A file dropped onto the window: one local file is taken (a drag of several, or of something
// that is not a file, is refused as it enters, so the pointer shows it will not be taken), and
// opens once the drop has ended, so that the drag's source is not held while the window asks.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "host/gui/window/stamp_window.h"

namespace stamp::gui {
namespace {

// The local file a drag carries; empty unless it carries exactly one.
QString DraggedFile(const QMimeData* data) {
  const QList<QUrl> urls = data->urls();
  return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

}  // namespace

void StampWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void StampWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

}  // namespace stamp::gui
