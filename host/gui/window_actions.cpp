// What the window's controls do: each event's export result acted on and shown, the view fields
// of the record, the layer choice, undo, the canvas file and the settings shown at start-up.
#include <cstring>
#include <string>

#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>

#include "host/gui/canvas_view.h"
#include "host/gui/panel_view.h"
#include "host/gui/raster_image.h"
#include "host/gui/stamp_window.h"
#include "host/gui/view_mapping.h"
#include "host/output/snapshot.h"
#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

// The tool's settings in the application profile; the tool writes them when it shuts down.
constexpr char16_t kSettingsSection[] = u"plugin_kvo_stamp";
constexpr int32_t kFullSize = 30;
constexpr int32_t kPathCapacity = 1024;
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
  std::u16string path(kPathCapacity, u'\0');
  plat_profile_get_string(app, kSettingsSection, u"file", u"", path.data(), kPathCapacity);
  const std::u16string_view text = path.c_str();
  const std::u16string_view name = text.substr(text.find_last_of(u'\\') + 1);
  return name.empty() ? QObject::tr("none") : QString::fromUtf16(name.data(), name.size());
}

}  // namespace

void StampWindow::Apply(const QString& event, int32_t result) {
  session_.Act(result);
  if (result == STAMP_RESULT_PANEL_CHANGED) ShowPanel();
  if (result == STAMP_RESULT_OVERLAY_CHANGED || result == STAMP_RESULT_LAYER_CHANGED) ShowCanvas();
  const int32_t layer = session_.record().getInt(STAMP_REC_ACTIVE_LAYER);
  statusBar()->showMessage(event + ": " + ResultText(result, layer));
}

void StampWindow::ShowCanvas() { canvas_->CanvasChanged(); }

void StampWindow::ShowPanel() { panel_->SetImage(PanelImage(session_.record())); }

void StampWindow::WriteView() {
  host::HostRecord& record = session_.record();
  const ViewMapping view = canvas_->mapping();
  record.setInt(STAMP_REC_VIEW_X, view.RecordOrigin().x());
  record.setInt(STAMP_REC_VIEW_Y, view.RecordOrigin().y());
  record.setInt(STAMP_REC_ZOOM_SHIFT, view.RecordShift());
  const QSignalBlocker quiet(zoom_);
  zoom_->setCurrentIndex(view.zoom - ViewMapping::kMinZoom);
}

void StampWindow::ChooseLayer(int layer) {
  session_.record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
  statusBar()->showMessage(tr("Stamps go onto layer %1").arg(layer));
}

void StampWindow::Undo() {
  session_.Undo();
  ShowCanvas();
  statusBar()->showMessage(
      tr("Undo: layer %1 restored").arg(session_.record().getInt(STAMP_REC_UNDO_LAYER)));
}

void StampWindow::NewCanvas() {
  const auto answer = QMessageBox::question(
      this, tr("New canvas"), tr("Clear every layer to white? This cannot be undone."));
  if (answer != QMessageBox::Yes) return;
  host::HostRecord& record = session_.record();
  for (const uint32_t field :
       {host::LayerField(0), host::LayerField(1), host::LayerField(2),
        uint32_t{STAMP_REC_OVERLAY_BUFFER}, uint32_t{STAMP_REC_UNDO_BUFFER}}) {
    std::memset(record.buffer(field), kWhite, record.canvasBytes());
  }
  session_.LayersChanged();
  ShowCanvas();
  statusBar()->showMessage(tr("New canvas"));
}

void StampWindow::SaveCanvas() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save canvas as PNG"), "canvas.png",
                                                    tr("PNG images (*.png)"));
  if (path.isEmpty()) return;
  const std::string error =
      host::SaveCanvasPng(session_.record(), session_.compositor(), path.toStdString());
  if (!error.empty()) {
    QMessageBox::warning(this, tr("Save canvas"), QString::fromStdString(error));
    return;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path));
}

// The panel shows the size and the angle as numbers and marks the cell; the status line starts
// with the settings the tool read from the profile, the angle counted clockwise as on the dial.
void StampWindow::ShowStartSettings() {
  PlatApp* app = session_.record().app();
  const int32_t cell = plat_profile_get_int(app, kSettingsSection, u"select", 0);
  const int32_t angle = plat_profile_get_int(app, kSettingsSection, u"degree", 0);
  const int32_t size = plat_profile_get_int(app, kSettingsSection, u"shrink", kFullSize);
  statusBar()->showMessage(tr("Started with cell %1, size %2, angle %3, sheet %4")
                               .arg(cell)
                               .arg(size)
                               .arg(-int64_t{angle})
                               .arg(SheetName(app)));
}

}  // namespace stamp::gui
