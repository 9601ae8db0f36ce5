// The window's side of the drawing's files: the question before unsaved changes are dropped, the
// file dialogs of Save and Open, the messages that say how each went, files handed from outside
// and the recent ones, a canvas of another size, and the recovery of an autosave a window left
// behind. What each does to the drawing is the document's (host/document/document.h).
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "host/document/autosave_system.h"
#include "host/document/file_kind.h"
#include "host/gui/dialogs/canvas_size_dialog.h"
#include "host/gui/dialogs/read_progress_dialog.h"
#include "host/gui/dialogs/recovery_offer.h"
#include "host/gui/window/recent_files.h"
#include "host/gui/window/stamp_window.h"
#include "host/ora/ora_file.h"

namespace stamp::gui {
namespace {

const char kOraFilter[] = QT_TRANSLATE_NOOP("StampWindow", "OpenRaster pictures (*.ora)");
constexpr char kOraSuffix[] = ".ora";

}  // namespace

void StampWindow::Warn(const QString& title, const QString& text) {
  QMessageBox::warning(this, title, text);
}

bool StampWindow::ConfirmDiscard(const QString& action) {
  if (!work_->unsaved()) return true;
  QMessageBox box(QMessageBox::Warning, action,
                  tr("The drawing has changes that are not saved. Save them first?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveWork();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

bool StampWindow::SaveWork() {
  return work_->path().isEmpty() ? SaveWorkAs() : SaveWorkTo(work_->path());
}

bool StampWindow::SaveWorkAs() {
  const QString start = work_->path().isEmpty() ? "drawing.ora" : work_->path();
  QString path = QFileDialog::getSaveFileName(this, tr("Save the layers"), start, tr(kOraFilter));
  if (path.isEmpty()) return false;
  if (!path.endsWith(kOraSuffix, Qt::CaseInsensitive)) path += kOraSuffix;
  return SaveWorkTo(path);
}

bool StampWindow::SaveWorkTo(const QString& path) {
  if (const std::string error = work_->document().Save(FilePath(path)).error(); !error.empty()) {
    Warn(tr("Save"), tr("The drawing was not saved: %1\nIt is still here, and any earlier file "
                        "is unchanged.")
                         .arg(QString::fromStdString(error)));
    return false;
  }
  AddRecentFile(path);
  statusBar()->showMessage(tr("Saved %1").arg(path));
  return true;
}

void StampWindow::OpenWork() {
  if (!ConfirmDiscard(tr("Open"))) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open layers"), {}, tr(kOraFilter));
  if (!path.isEmpty()) OpenWorkFrom(path);
}

void StampWindow::OpenWorkFrom(const QString& path) {
  std::string error;
  std::vector<std::string> notes;
  {
    ReadProgressDialog reading(this, path);
    error = work_->document()
                .Open(FilePath(path), reading.progress(), &notes,
                      [this](int32_t width, int32_t height) {
                        return ConfirmCanvasMemory(this, width, height);
                      })
                .error();
  }
  if (error == ora::kReadStopped) {
    return statusBar()->showMessage(tr("Stopped reading %1; the drawing is unchanged").arg(path));
  }
  if (!error.empty()) {
    return Warn(tr("Open"), tr("%1 cannot be opened: %2.\nThe drawing is unchanged.")
                                .arg(path, QString::fromStdString(error)));
  }
  AddRecentFile(path);
  statusBar()->showMessage(tr("Opened %1").arg(path));
  if (!notes.empty()) {
    QStringList lines;
    for (const std::string& note : notes) lines.append(QString::fromStdString(note));
    Warn(tr("Open"), tr("%1 is open, and shows as in the program that wrote it; its layers have "
                        "no visibility or opacity here:\n%2")
                         .arg(path, lines.join('\n')));
  }
}

void StampWindow::OpenFile(const QString& path) {
  switch (document::KindOfFile(FilePath(path))) {
    case document::FileKind::kDrawing:
      if (ConfirmDiscard(tr("Open"))) OpenWorkFrom(path);
      return;
    case document::FileKind::kPicture: return OpenPictureFrom(path);
    case document::FileKind::kOther:
      return Warn(tr("Open"), tr("%1 is neither a drawing (.ora) nor a picture (PNG, JPEG or "
                                 "BMP).\nThe drawing is unchanged.")
                                  .arg(path));
  }
}

void StampWindow::OpenRecent(const QString& path) {
  if (!QFileInfo::exists(path)) {
    DropRecentFile(path);
    return Warn(tr("Open recent"),
                tr("%1 is no longer there, and is taken off the recent files.").arg(path));
  }
  OpenFile(path);
}

bool StampWindow::ResizeCanvas(int32_t width, int32_t height) {
  if (!ConfirmCanvasMemory(this, width, height)) return false;
  const std::string error = work_->document().Resize(width, height).error();
  if (error.empty()) return true;
  Warn(tr("Canvas size"), tr("%1.\nThe drawing is unchanged.").arg(QString::fromStdString(error)));
  return false;
}

// A recovered drawing counts as unsaved and is autosaved under this window at once; only then
// does the file it came from go, so that a crash at any moment leaves the drawing on disk. Where
// that file cannot go (a read-only folder), the user is told, and where the new autosave went.
void StampWindow::OfferRecovery() {
  std::optional<Recovered> recovered = AskToRecover(this, document::AutosaveFolders());
  if (!recovered) return;
  if (const std::string error = work_->document().Recover(recovered->work).error();
      !error.empty()) {
    return Warn(tr("Recover drawing"), tr("The drawing cannot be recovered: %1.\nIt stays in %2.")
                                           .arg(QString::fromStdString(error),
                                                QString::fromStdString(recovered->from.path)));
  }
  document::Autosave& autosave = work_->document().autosave();
  const QString file = QString::fromStdString(recovered->from.path.string());
  if (const std::string error = autosave.SaveNow(); !error.empty()) {
    return Warn(tr("Recover drawing"),
                tr("The drawing is recovered, but this window cannot autosave it: %1\n%2 stays "
                   "where it is; save the drawing to keep it.")
                    .arg(QString::fromStdString(error), file));
  }
  document::RemoveLeftDrawing(recovered->from);
  const QString autosaved = QString::fromStdString(autosave.path().string());
  if (std::filesystem::exists(recovered->from.path)) {
    return Warn(tr("Recover drawing"),
                tr("The drawing is recovered and autosaved as %1 (%2).\n%3 cannot be removed "
                   "and stays where it is.")
                    .arg(autosaved, QString::fromStdString(autosave.notice()), file));
  }
  statusBar()->showMessage(
      tr("Recovered the drawing autosaved in %1; it is autosaved as %2").arg(file, autosaved));
}

}  // namespace stamp::gui
