// What the window's controls do: each event's export result acted on and shown, the view fields
// of the record, the layer choice, undo and redo, a new canvas, the exported picture and the
// settings shown at start-up.
#include <cstring>
#include <optional>
#include <string>

#include <QComboBox>
#include <QFileDialog>
#include <QSignalBlocker>
#include <QStatusBar>

#include "host/gui/canvas_size_dialog.h"
#include "host/gui/canvas_view.h"
#include "host/gui/panel_view.h"
#include "host/gui/raster_image.h"
#include "host/gui/stamp_window.h"
#include "host/gui/tool_profile.h"
#include "host/gui/view_mapping.h"
#include "host/output/snapshot.h"
#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

constexpr int32_t kFullSize = 30;
constexpr uint8_t kWhite = 0xFF;

QString ResultText(int32_t result, int32_t layer) {
  switch (result) {
    case STAMP_RESULT_PANEL_CHANGED: return QObject::tr("the panel changed");
    case STAMP_RESULT_OVERLAY_CHANGED: return QObject::tr("preview");
    case STAMP_RESULT_LAYER_CHANGED: return QObject::tr("stamped onto layer %1").arg(layer);
    default: return QObject::tr("not taken");
  }
}

QString SheetName(PlatApp* app) {
  const std::u16string path = ProfileSheet(app);
  const std::u16string_view text = path;
  const std::u16string_view name = text.substr(text.find_last_of(u'\\') + 1);
  return name.empty() ? QObject::tr("none") : QString::fromUtf16(name.data(), name.size());
}

}  // namespace

void StampWindow::Apply(const QString& event, int32_t result) {
  session_->Act(result);
  if (result == STAMP_RESULT_LAYER_CHANGED) {
    // The tool took its snapshot of the layer at pen-down; the stamp went into the active layer.
    const host::HostRecord& record = session_->record();
    const int32_t layer = record.getInt(STAMP_REC_ACTIVE_LAYER);
    if (layer == record.getInt(STAMP_REC_UNDO_LAYER)) {
      history_.Record(record, layer, {record.buffer(STAMP_REC_UNDO_BUFFER), record.canvasBytes()});
    }
    Changed();
  }
  if (result == STAMP_RESULT_PANEL_CHANGED) ShowPanel();
  if (result == STAMP_RESULT_OVERLAY_CHANGED || result == STAMP_RESULT_LAYER_CHANGED) ShowCanvas();
  const int32_t layer = session_->record().getInt(STAMP_REC_ACTIVE_LAYER);
  statusBar()->showMessage(event + ": " + ResultText(result, layer));
}

void StampWindow::ShowCanvas() { canvas_->CanvasChanged(); }

void StampWindow::ShowPanel() { panel_->SetImage(PanelImage(session_->record())); }

void StampWindow::WriteView() {
  host::HostRecord& record = session_->record();
  const ViewMapping view = canvas_->mapping();
  record.setInt(STAMP_REC_VIEW_X, view.RecordOrigin().x());
  record.setInt(STAMP_REC_VIEW_Y, view.RecordOrigin().y());
  record.setInt(STAMP_REC_ZOOM_SHIFT, view.RecordShift());
  const QSignalBlocker quiet(zoom_);
  zoom_->setCurrentIndex(view.zoom - ViewMapping::kMinZoom);
}

void StampWindow::ChooseLayer(int layer) {
  session_->record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
  statusBar()->showMessage(tr("Stamps go onto layer %1").arg(layer));
}

void StampWindow::Undo() {
  const int32_t layer = history_.Undo(session_->record());
  ShowHistoryStep(
      layer, layer < 0
                 ? tr("Nothing to undo")
                 : tr("Undo on layer %1 (%2 more steps)").arg(layer).arg(history_.undoSteps()));
}

void StampWindow::Redo() {
  const int32_t layer = history_.Redo(session_->record());
  ShowHistoryStep(
      layer, layer < 0
                 ? tr("Nothing to redo")
                 : tr("Redo on layer %1 (%2 more steps)").arg(layer).arg(history_.redoSteps()));
}

// A step of the history went back into layer (-1: there was no step to take).
void StampWindow::ShowHistoryStep(int32_t layer, const QString& text) {
  if (layer >= 0) {
    session_->LayersChanged();
    ShowCanvas();
    Changed();
  }
  statusBar()->showMessage(text);
}

// The size comes first, so that Cancel there leaves everything as it was.
void StampWindow::NewCanvas() {
  const host::HostRecord& shown = session_->record();
  const std::optional<QSize> size =
      AskCanvasSize(this, {shown.canvasWidth(), shown.canvasHeight()});
  if (!size || !ConfirmDiscard(tr("New canvas")) || !ResizeCanvas(size->width(), size->height())) {
    return;
  }
  host::HostRecord& record = session_->record();
  for (const uint32_t field :
       {host::LayerField(0), host::LayerField(1), host::LayerField(2),
        uint32_t{STAMP_REC_OVERLAY_BUFFER}, uint32_t{STAMP_REC_UNDO_BUFFER}}) {
    std::memset(record.buffer(field), kWhite, record.canvasBytes());
  }
  session_->LayersChanged();
  ShowCanvas();
  history_.Clear();
  MarkSaved(QString());
  statusBar()->showMessage(tr("New canvas of %1x%2").arg(size->width()).arg(size->height()));
}

void StampWindow::ExportPicture() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Export picture as PNG"), "canvas.png",
                                                    tr("PNG images (*.png)"));
  if (path.isEmpty()) return;
  const std::string error = host::SaveCanvasPng(session_->record(), session_->compositor(),
                                                path.toStdString(), host::Preview::kLeftOut);
  if (!error.empty()) {
    return Warn(tr("Export picture"), QString::fromStdString(error));
  }
  statusBar()->showMessage(tr("Exported %1").arg(path));
}

// The panel shows the size and the angle as numbers and marks the cell; the status line starts
// with the settings the tool read from the profile, the angle counted clockwise as on the dial,
// and on a first start says how to pick another sheet than the sample one.
void StampWindow::ShowStartSettings(bool firstStart) {
  PlatApp* app = session_->record().app();
  const int32_t cell = plat_profile_get_int(app, kSettingsSection, u"select", 0);
  const int32_t angle = plat_profile_get_int(app, kSettingsSection, u"degree", 0);
  const int32_t size = plat_profile_get_int(app, kSettingsSection, u"shrink", kFullSize);
  QString text = tr("Started with cell %1, size %2, angle %3, sheet %4")
                     .arg(cell)
                     .arg(size)
                     .arg(-int64_t{angle})
                     .arg(SheetName(app));
  if (firstStart) text += tr(". Press File on the panel to pick another sheet");
  if (!autosave_->problem().empty()) {
    text += tr(". No autosave: %1").arg(QString::fromStdString(autosave_->problem()));
  } else if (!autosave_->notice().empty()) {
    text += tr(". Note: %1").arg(QString::fromStdString(autosave_->notice()));
  }
  statusBar()->showMessage(text);
}

}  // namespace stamp::gui
