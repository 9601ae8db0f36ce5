// The window's work and its files: unsaved changes and the question before they are dropped,
// Save and Open of the three layers as OpenRaster, the canvas started again at another size, and
// the recovery of an autosave a window left behind.
#include <cstring>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include "host/gui/file_kind.h"
#include "host/gui/read_progress_dialog.h"
#include "host/gui/recent_files.h"
#include "host/gui/recovery_offer.h"
#include "host/gui/stamp_window.h"
#include "host/ora/ora_file.h"
#include "host/output/compositor.h"
#include "host/record/canvas_size.h"

namespace stamp::gui {
namespace {

const char kOraFilter[] = QT_TRANSLATE_NOOP("StampWindow", "OpenRaster pictures (*.ora)");
constexpr char kOraSuffix[] = ".ora";

// The picture, the three layers over white without the preview, in the record's layout (bottom
// row first), composited row by row.
std::vector<uint8_t> MergedCanvas(const host::HostRecord& record, host::Compositor& compositor) {
  const int32_t width = record.canvasWidth();
  const int32_t height = record.canvasHeight();
  const size_t rowBytes = static_cast<size_t>(width) * ora::kBytesPerPixel;
  std::vector<uint8_t> merged(record.canvasBytes());
  for (int32_t y = 0; y < height; ++y) {
    compositor.PictureRow(y, 0, width,
                          merged.data() + static_cast<size_t>(height - 1 - y) * rowBytes);
  }
  return merged;
}

}  // namespace

void StampWindow::Changed() {
  unsaved_ = true;
  setWindowModified(true);
  autosave_->Changed();
}

void StampWindow::MarkSaved(const QString& path) {
  if (!path.isEmpty()) AddRecentFile(path);
  workPath_ = path;
  unsaved_ = false;
  autosave_->Forget();
  const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
  setWindowTitle(tr("%1[*] - Stamp").arg(name));
  setWindowModified(false);
}

void StampWindow::Warn(const QString& title, const QString& text) {
  QMessageBox::warning(this, title, text);
}

bool StampWindow::ConfirmDiscard(const QString& action) {
  if (!unsaved_) return true;
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

bool StampWindow::SaveWork() { return workPath_.isEmpty() ? SaveWorkAs() : SaveWorkTo(workPath_); }

bool StampWindow::SaveWorkAs() {
  QString path = QFileDialog::getSaveFileName(
      this, tr("Save the layers"), workPath_.isEmpty() ? "drawing.ora" : workPath_, tr(kOraFilter));
  if (path.isEmpty()) return false;
  if (!path.endsWith(kOraSuffix, Qt::CaseInsensitive)) path += kOraSuffix;
  return SaveWorkTo(path);
}

bool StampWindow::SaveWorkTo(const QString& path) {
  if (const std::string error = WriteWork(path.toStdString()); !error.empty()) {
    Warn(tr("Save"), tr("The drawing was not saved: %1\nIt is still here, and any earlier file "
                        "is unchanged.")
                         .arg(QString::fromStdString(error)));
    return false;
  }
  MarkSaved(path);
  statusBar()->showMessage(tr("Saved %1").arg(path));
  return true;
}

void StampWindow::OpenWork() {
  if (!ConfirmDiscard(tr("Open"))) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open layers"), {}, tr(kOraFilter));
  if (!path.isEmpty()) OpenWorkFrom(path);
}

void StampWindow::OpenWorkFrom(const QString& path) {
  ora::LayeredPicture work;
  std::string error;
  std::vector<std::string> notes;
  {
    ReadProgressDialog reading(this, path);
    error = ora::ReadOra(path.toStdString(), work, reading.progress(), &notes);
  }
  if (error == ora::kReadStopped) {
    return statusBar()->showMessage(tr("Stopped reading %1; the drawing is unchanged").arg(path));
  }
  if (!error.empty()) {
    return Warn(tr("Open"), tr("%1 cannot be opened: %2.\nThe drawing is unchanged.")
                                .arg(path, QString::fromStdString(error)));
  }
  if (!ResizeCanvas(work.width, work.height)) return;
  LoadWork(work);
  history_.Clear();
  MarkSaved(path);
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
  switch (KindOfFile(path)) {
    case FileKind::kDrawing:
      if (ConfirmDiscard(tr("Open"))) OpenWorkFrom(path);
      return;
    case FileKind::kPicture: return OpenPictureFrom(path);
    case FileKind::kOther:
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

ora::LayeredPicture StampWindow::Work() const {
  const host::HostRecord& record = session_->record();
  ora::LayeredPicture work{record.canvasWidth(), record.canvasHeight(), {}};
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    const uint8_t* bytes = record.buffer(host::LayerField(layer));
    work.layers[layer].assign(bytes, bytes + record.canvasBytes());
  }
  return work;
}

std::string StampWindow::WriteWork(const std::filesystem::path& path) const {
  return ora::WriteOra(path, Work(), MergedCanvas(session_->record(), session_->compositor()));
}

// The work must have the canvas's size (ResizeCanvas first).
void StampWindow::LoadWork(const ora::LayeredPicture& work) {
  host::HostRecord& record = session_->record();
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    std::memcpy(record.buffer(host::LayerField(layer)), work.layers[layer].data(),
                record.canvasBytes());
  }
  session_->LayersChanged();
  ShowCanvas();
}

// A canvas of another size needs a record of that size: the session starts again. Should that
// fail (too little memory included), the session comes back at the old size with the drawing it
// held.
bool StampWindow::ResizeCanvas(int32_t width, int32_t height) {
  const host::HostRecord& record = session_->record();
  if (width == record.canvasWidth() && height == record.canvasHeight()) return true;
  if (const std::string problem = host::CanvasSizeProblem(width, height); !problem.empty()) {
    Warn(tr("Canvas size"), QString::fromStdString(problem));
    return false;
  }
  std::optional<ora::LayeredPicture> kept;
  try {
    kept = Work();
    StartSession(width, height);
    return true;
  } catch (const std::exception& failure) {
    Warn(tr("Canvas size"), tr("The canvas cannot be %1x%2: %3\nThe drawing is unchanged.")
                                .arg(width)
                                .arg(height)
                                .arg(failure.what()));
  }
  if (!kept) return false;  // the drawing could not be kept aside: the session was not touched
  StartSession(kept->width, kept->height);
  LoadWork(*kept);
  return false;
}

// A recovered drawing counts as unsaved and is autosaved under this window at once; only then
// does the file it came from go, so that a crash at any moment leaves the drawing on disk. Where
// that file cannot go (a read-only folder), the user is told, and where the new autosave went.
void StampWindow::OfferRecovery() {
  std::optional<Recovered> recovered = AskToRecover(this, AutosaveFolders());
  if (!recovered || !ResizeCanvas(recovered->work.width, recovered->work.height)) return;
  LoadWork(recovered->work);
  Changed();
  const QString file = QString::fromStdString(recovered->from.path.string());
  if (const std::string error = autosave_->SaveNow(); !error.empty()) {
    return Warn(tr("Recover drawing"),
                tr("The drawing is recovered, but this window cannot autosave it: %1\n%2 stays "
                   "where it is; save the drawing to keep it.")
                    .arg(QString::fromStdString(error), file));
  }
  RemoveLeftDrawing(recovered->from);
  const QString autosaved = QString::fromStdString(autosave_->path().string());
  if (std::filesystem::exists(recovered->from.path)) {
    return Warn(tr("Recover drawing"),
                tr("The drawing is recovered and autosaved as %1 (%2).\n%3 cannot be removed "
                   "and stays where it is.")
                    .arg(autosaved, QString::fromStdString(autosave_->notice()), file));
  }
  statusBar()->showMessage(
      tr("Recovered the drawing autosaved in %1; it is autosaved as %2").arg(file, autosaved));
}

}  // namespace stamp::gui
