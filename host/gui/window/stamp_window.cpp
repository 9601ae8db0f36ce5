#include "host/gui/window/stamp_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "host/gui/dialogs/help_dialog.h"
#include "host/gui/dialogs/new_sheet_dialog.h"
#include "host/gui/views/canvas_view.h"
#include "host/gui/views/panel_view.h"
#include "host/gui/window/recent_files.h"
#include "host/gui/window/window_size.h"

namespace stamp::gui {

StampWindow::StampWindow(const host::SessionOptions& options) {
  setWindowTitle(tr("Stamp"));
  setAcceptDrops(true);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  canvas_ = new CanvasView(central);
  layout->addWidget(canvas_, 1);
  layout->addWidget(BuildToolColumn());
  setCentralWidget(central);
  BuildMenus();
  ConnectViews();

  work_ = std::make_unique<QtDocument>(options, this);
  connect(work_.get(), &QtDocument::StateChanged, this, &StampWindow::ShowState);
  connect(work_.get(), &QtDocument::LayersChanged, this, &StampWindow::ShowCanvas);
  connect(work_.get(), &QtDocument::Restarted, this, &StampWindow::ShowSession);
  connect(work_.get(), &QtDocument::RecordingEnded, this, [this](const QString& why) {
    ShowRecording();
    statusBar()->showMessage(tr("The recording ended: %1").arg(why));
  });
  connect(&work_->autosave(), &Autosave::Failed, this, [this](const QString& reason) {
    statusBar()->showMessage(tr("Autosave failed (the drawing is still here): %1").arg(reason));
  });
  layer_->setCurrentIndex(work_->session().record().getInt(STAMP_REC_ACTIVE_LAYER));
  ShowSession();
  ShowState();
  ShowStartSettings();
  RestoreWindowSize(*this);
  OfferRecovery();
}

StampWindow::~StampWindow() { RememberWindowSize(*this); }

// The canvas view paints from the session's compositor; the tool stamps into the layer chosen.
void StampWindow::ShowSession() {
  host::Session& session = work_->session();
  const host::HostRecord& record = session.record();
  canvas_->SetCanvas(session.compositor(), {record.canvasWidth(), record.canvasHeight()});
  session.record().setInt(STAMP_REC_ACTIVE_LAYER, layer_->currentIndex());
  ShowPanel();
  ShowCanvas();
  WriteView();
}

// The title names the drawing's file, marked while it has unsaved changes.
void StampWindow::ShowState() {
  const QString name =
      work_->path().isEmpty() ? tr("Untitled") : QFileInfo(work_->path()).fileName();
  setWindowTitle(tr("%1[*] - Stamp").arg(name));
  setWindowModified(work_->unsaved());
}

void StampWindow::EndSession() {
  endingSession_ = true;
  close();
}

void StampWindow::closeEvent(QCloseEvent* event) {
  if (endingSession_ && work_->unsaved()) {
    work_->document().autosave().SaveNow();
  } else if (!endingSession_ && !ConfirmDiscard(tr("Quit"))) {
    event->ignore();
    return;
  } else {
    work_->document().autosave().Forget();
  }
  event->accept();
}

void StampWindow::BuildMenus() {
  BuildFileMenu();
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Undo"), QKeySequence::Undo, this, &StampWindow::Undo)
      ->setStatusTip(tr("Take back the last stamp or picture, one step at a time"));
  QAction* redo = edit->addAction(tr("&Redo"), this, &StampWindow::Redo);
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo->setStatusTip(tr("Do again what Undo took back"));

  AddZoomActions(menuBar()->addMenu(tr("&View")));

  QMenu* stamp = menuBar()->addMenu(tr("&Stamp"));
  stamp->addAction(tr("&Previous cell"), QKeySequence(Qt::Key_A), this,
                   [this] { Send(tr("Key A"), {host::EventKind::kKeyA}); });
  stamp->addAction(tr("&Next cell"), QKeySequence(Qt::Key_B), this,
                   [this] { Send(tr("Key B"), {host::EventKind::kKeyB}); });
  stamp->addSeparator();
  stamp->addAction(tr("New sheet from &pictures..."), this, [this] {
    NewSheetFromPictures(this, work_->document(), [this](const host::EventOutcome& outcome) {
      Apply(tr("New sheet loaded"), outcome);
    });
  });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&Help..."), QKeySequence::HelpContents, this, [this] { ShowHelp(this); });
}

void StampWindow::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New canvas..."), QKeySequence::New, this, &StampWindow::NewCanvas)
      ->setStatusTip(tr("Start again on white layers of the size you choose"));
  file->addAction(tr("&Open..."), QKeySequence::Open, this, &StampWindow::OpenWork)
      ->setStatusTip(tr("Open layered work saved as OpenRaster (.ora)"));
  QMenu* recent = file->addMenu(tr("Open &recent"));
  recent->setObjectName("recent");
  connect(recent, &QMenu::aboutToShow, this, [this, recent] {
    FillRecentMenu(*recent, [this](const QString& path) { OpenRecent(path); });
  });
  file->addAction(tr("Open &picture into layer 0..."),
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this, &StampWindow::OpenPicture)
      ->setStatusTip(tr("Put a PNG, JPEG or BMP picture into the back layer, to stamp on it"));
  file->addAction(tr("&Save"), QKeySequence::Save, this, &StampWindow::SaveWork)
      ->setStatusTip(tr("Keep the three layers in an OpenRaster file (.ora)"));
  file->addAction(tr("Save &as..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                  &StampWindow::SaveWorkAs);
  file->addAction(tr("&Export picture as PNG..."), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                  &StampWindow::ExportPicture)
      ->setStatusTip(tr("Write the picture as it is shown to a PNG file"));
  record_ = file->addAction(tr("&Record steps as script..."), this, &StampWindow::RecordSteps);
  record_->setStatusTip(
      tr("Write what you draw from a white canvas as a script that stamp-host run replays"));
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

QWidget* StampWindow::BuildToolColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new PanelView(column);
  layout->addWidget(panel_);
  auto* form = new QFormLayout();
  form->addRow(tr("&Layer:"), BuildLayerChooser());
  form->addRow(tr("&Zoom:"), BuildZoomChooser());
  layout->addLayout(form);
  auto* keys = new QLabel(
      tr("A / B: previous / next cell    Ctrl+Z / Ctrl+Y: undo / redo    F1: help"), column);
  keys->setEnabled(false);
  keys->setWordWrap(true);
  layout->addWidget(keys);
  layout->addStretch(1);
  return column;
}

QComboBox* StampWindow::BuildLayerChooser() {
  layer_ = new QComboBox(this);
  layer_->setObjectName("layer");
  layer_->addItems({tr("Layer 0 (back)"), tr("Layer 1"), tr("Layer 2 (front)")});
  layer_->setToolTip(tr("The layer the stamp is pressed into. Layer 2 lies in front."));
  connect(layer_, &QComboBox::currentIndexChanged, this, &StampWindow::ChooseLayer);
  return layer_;
}

// One item per zoom, smallest first; item i is zoom kMinZoom + i.
QComboBox* StampWindow::BuildZoomChooser() {
  zoom_ = new QComboBox(this);
  zoom_->setObjectName("zoom");
  for (int zoom = ViewMapping::kMinZoom; zoom <= ViewMapping::kMaxZoom; ++zoom) {
    zoom_->addItem(ViewMapping::Name(zoom));
  }
  zoom_->setCurrentIndex(canvas_->zoom() - ViewMapping::kMinZoom);
  zoom_->setToolTip(
      tr("Show the canvas from a quarter of its size to eight times it "
         "(Ctrl+plus, Ctrl+minus or Ctrl+wheel)."));
  connect(zoom_, &QComboBox::currentIndexChanged, canvas_,
          [this](int index) { canvas_->SetZoom(ViewMapping::kMinZoom + index); });
  return zoom_;
}

void StampWindow::AddZoomActions(QMenu* view) {
  view->addAction(tr("Zoom &in"), QKeySequence::ZoomIn, canvas_,
                  [this] { canvas_->SetZoom(canvas_->zoom() + 1); });
  view->addAction(tr("Zoom &out"), QKeySequence::ZoomOut, canvas_,
                  [this] { canvas_->SetZoom(canvas_->zoom() - 1); });
  view->addAction(tr("&Actual size"), QKeySequence(Qt::CTRL | Qt::Key_0), canvas_,
                  [this] { canvas_->SetZoom(0); });
}

// Each pen signal sends its event with the point it carries, and names it in the status line.
void StampWindow::ConnectViews() {
  const auto sender = [this](const QString& text, host::EventKind kind) {
    return [this, text, kind](QPoint p) { Send(text.arg(p.x()).arg(p.y()), {kind, p.x(), p.y()}); };
  };
  connect(panel_, &PanelView::PenDown, this,
          sender(tr("Panel pen down at (%1, %2)"), host::EventKind::kPanelDown));
  connect(panel_, &PanelView::PenMove, this,
          sender(tr("Panel pen move to (%1, %2)"), host::EventKind::kPanelMove));
  connect(panel_, &PanelView::PenUp, this,
          sender(tr("Panel pen up at (%1, %2)"), host::EventKind::kPanelUp));
  connect(canvas_, &CanvasView::PenDown, this,
          sender(tr("Pen down at (%1, %2)"), host::EventKind::kPenDown));
  connect(canvas_, &CanvasView::PenMove, this,
          sender(tr("Pen move to (%1, %2)"), host::EventKind::kPenMove));
  connect(canvas_, &CanvasView::PenUp, this,
          sender(tr("Pen up at (%1, %2)"), host::EventKind::kPenUp));
  connect(canvas_, &CanvasView::ViewChanged, this, &StampWindow::WriteView);
}

}  // namespace stamp::gui
