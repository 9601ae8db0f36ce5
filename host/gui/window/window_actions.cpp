// What the window's controls do: each event's export result acted on and shown, the view fields
// of the record, the layer choice, undo and redo, a new canvas, the exported picture and the
// settings shown at start-up.
#include <optional>
#include <string>

#include <QComboBox>
#include <QFileDialog>
#include <QSignalBlocker>
#include <QStatusBar>

#include "host/document/tool_profile.h"
#include "host/gui/dialogs/canvas_size_dialog.h"
#include "host/gui/views/canvas_view.h"
#include "host/gui/views/panel_view.h"
#include "host/gui/views/raster_image.h"
#include "host/gui/views/view_mapping.h"
#include "host/gui/window/stamp_window.h"
#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

QString OutcomeText(const host::EventOutcome& outcome, int32_t layer) {
  if (outcome.panelChanged) return QObject::tr("the panel changed");
  if (outcome.layerChanged) return QObject::tr("stamped onto layer %1").arg(layer);
  if (outcome.canvasChanged) return QObject::tr("preview");
  return QObject::tr("not taken");
}

}  // namespace

void StampWindow::Send(const QString& event, const host::PluginEvent& sent) {
  Apply(event, work_->document().Send(sent));
}

void StampWindow::Apply(const QString& event, const host::EventOutcome& outcome) {
  if (outcome.panelChanged) ShowPanel();
  if (outcome.canvasChanged) ShowCanvas();
  const int32_t layer = work_->session().record().getInt(STAMP_REC_ACTIVE_LAYER);
  statusBar()->showMessage(event + ": " + OutcomeText(outcome, layer));
}

void StampWindow::ShowCanvas() { canvas_->CanvasChanged(); }

void StampWindow::ShowPanel() { panel_->SetImage(PanelImage(work_->session().record())); }

void StampWindow::WriteView() {
  host::HostRecord& record = work_->session().record();
  const ViewMapping view = canvas_->mapping();
  record.setInt(STAMP_REC_VIEW_X, view.RecordOrigin().x());
  record.setInt(STAMP_REC_VIEW_Y, view.RecordOrigin().y());
  record.setInt(STAMP_REC_ZOOM_SHIFT, view.RecordShift());
  const QSignalBlocker quiet(zoom_);
  zoom_->setCurrentIndex(view.zoom - ViewMapping::kMinZoom);
}

void StampWindow::ChooseLayer(int layer) {
  work_->session().record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
  statusBar()->showMessage(tr("Stamps go onto layer %1").arg(layer));
}

void StampWindow::Undo() {
  const int32_t layer = work_->document().Undo();
  statusBar()->showMessage(
      layer < 0
          ? tr("Nothing to undo")
          : tr("Undo on layer %1 (%2 more steps)").arg(layer).arg(work_->history().undoSteps()));
}

void StampWindow::Redo() {
  const int32_t layer = work_->document().Redo();
  statusBar()->showMessage(
      layer < 0
          ? tr("Nothing to redo")
          : tr("Redo on layer %1 (%2 more steps)").arg(layer).arg(work_->history().redoSteps()));
}

// The size comes first, so that Cancel there leaves everything as it was.
void StampWindow::NewCanvas() {
  const host::HostRecord& shown = work_->session().record();
  const std::optional<QSize> size =
      AskCanvasSize(this, {shown.canvasWidth(), shown.canvasHeight()});
  if (!size || !ConfirmDiscard(tr("New canvas")) || !ResizeCanvas(size->width(), size->height())) {
    return;
  }
  work_->document().Clear();
  statusBar()->showMessage(tr("New canvas of %1x%2").arg(size->width()).arg(size->height()));
}

// The script's file comes first, so that Cancel there leaves everything as it was.
void StampWindow::RecordSteps() {
  if (!work_->document().recording().empty()) {
    work_->document().StopRecording();
    ShowRecording();
    return statusBar()->showMessage(tr("Recording stopped"));
  }
  const QString path = QFileDialog::getSaveFileName(this, tr("Record steps as script"), "steps.txt",
                                                    tr("Scripts (*.txt)"));
  if (!path.isEmpty()) StartRecording(FilePath(path));
}

// A recording starts the drawing again white, so unsaved changes (a recovered drawing among
// them) are asked about first.
void StampWindow::StartRecording(const std::filesystem::path& path) {
  if (!ConfirmDiscard(tr("Record steps"))) return;
  if (const std::string error = work_->document().StartRecording(path).error(); !error.empty()) {
    return Warn(tr("Record steps"), QString::fromStdString(error));
  }
  ShowRecording();
  statusBar()->showMessage(tr("Recording the steps into %1").arg(FileName(path)));
}

void StampWindow::ShowRecording() {
  record_->setText(work_->document().recording().empty() ? tr("&Record steps as script...")
                                                         : tr("Stop &recording"));
}

void StampWindow::ExportPicture() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Export picture as PNG"), "canvas.png",
                                                    tr("PNG images (*.png)"));
  if (path.isEmpty()) return;
  if (const std::string error = work_->document().Export(FilePath(path)).error(); !error.empty()) {
    return Warn(tr("Export picture"), QString::fromStdString(error));
  }
  statusBar()->showMessage(tr("Exported %1").arg(path));
}

// The panel shows the size and the angle as numbers and marks the cell; the status line starts
// with the settings the tool read from the profile, the angle counted clockwise as on the dial,
// and on a first start says how to pick another sheet than the sample one.
void StampWindow::ShowStartSettings() {
  QString text = QString::fromStdU16String(
      document::StartSettingsText(work_->session().record().app(), work_->document().firstStart()));
  const document::Autosave& autosave = work_->document().autosave();
  if (!autosave.problem().empty()) {
    text += tr(". No autosave: %1").arg(QString::fromStdString(autosave.problem()));
  } else if (!autosave.notice().empty()) {
    text += tr(". Note: %1").arg(QString::fromStdString(autosave.notice()));
  }
  statusBar()->showMessage(text);
}

}  // namespace stamp::gui
