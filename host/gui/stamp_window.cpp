#include "host/gui/stamp_window.h"

#include <iostream>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "host/gui/canvas_view.h"
#include "host/gui/help_dialog.h"
#include "host/gui/panel_view.h"
#include "host/gui/window_size.h"

namespace stamp::gui {

StampWindow::StampWindow(const host::SessionOptions& options)
    : log_(std::cout, std::cerr, /*quiet=*/true), session_(options, log_), ui_(this) {
  setWindowTitle(tr("Stamp"));
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  session_.compositor().KeepLayerProduct();
  const host::HostRecord& record = session_.record();
  canvas_ =
      new CanvasView(session_.compositor(), {record.canvasWidth(), record.canvasHeight()}, central);
  layout->addWidget(canvas_, 1);
  layout->addWidget(BuildToolColumn());
  setCentralWidget(central);
  BuildMenus();
  ConnectViews();

  session_.Start();
  ShowPanel();
  ShowCanvas();
  WriteView();
  ShowStartSettings();
  RestoreWindowSize(*this);
}

StampWindow::~StampWindow() {
  RememberWindowSize(*this);
  session_.Finish();
}

void StampWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New canvas"), QKeySequence::New, this, &StampWindow::NewCanvas)
      ->setStatusTip(tr("Clear every layer to white"));
  file->addAction(tr("&Save canvas as PNG..."), QKeySequence::Save, this, &StampWindow::SaveCanvas)
      ->setStatusTip(tr("Write the picture as it is shown to a PNG file"));
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(tr("&Undo last stamp"), QKeySequence::Undo, this, &StampWindow::Undo)
      ->setStatusTip(tr("Put the layer of the last stamp back as it was before it"));

  AddZoomActions(menuBar()->addMenu(tr("&View")));

  QMenu* stamp = menuBar()->addMenu(tr("&Stamp"));
  stamp->addAction(tr("&Previous cell"), QKeySequence(Qt::Key_A), this,
                   [this] { Apply(tr("Key A"), session_.calls().KeyA()); });
  stamp->addAction(tr("&Next cell"), QKeySequence(Qt::Key_B), this,
                   [this] { Apply(tr("Key B"), session_.calls().KeyB()); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&Help..."), QKeySequence::HelpContents, this, [this] { ShowHelp(this); });
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
  auto* keys = new QLabel(tr("A / B: previous / next cell    Ctrl+Z: undo    F1: help"), column);
  keys->setEnabled(false);
  layout->addWidget(keys);
  layout->addStretch(1);
  return column;
}

QComboBox* StampWindow::BuildLayerChooser() {
  auto* layers = new QComboBox(this);
  layers->setObjectName("layer");
  layers->addItems({tr("Layer 0 (back)"), tr("Layer 1"), tr("Layer 2 (front)")});
  layers->setToolTip(tr("The layer the stamp is pressed into. Layer 2 lies in front."));
  layers->setCurrentIndex(session_.record().getInt(STAMP_REC_ACTIVE_LAYER));
  connect(layers, &QComboBox::currentIndexChanged, this, &StampWindow::ChooseLayer);
  return layers;
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

void StampWindow::ConnectViews() {
  connect(panel_, &PanelView::PenDown, this, [this](QPoint p) {
    Apply(tr("Panel pen down at (%1, %2)").arg(p.x()).arg(p.y()),
          session_.calls().SubmenuDown(p.x(), p.y()));
  });
  connect(panel_, &PanelView::PenMove, this, [this](QPoint p) {
    Apply(tr("Panel pen move to (%1, %2)").arg(p.x()).arg(p.y()),
          session_.calls().SubmenuMove(p.x(), p.y()));
  });
  connect(panel_, &PanelView::PenUp, this, [this](QPoint p) {
    Apply(tr("Panel pen up at (%1, %2)").arg(p.x()).arg(p.y()),
          session_.calls().SubmenuUp(p.x(), p.y()));
  });
  connect(canvas_, &CanvasView::PenDown, this, [this](QPoint p) {
    Apply(tr("Pen down at (%1, %2)").arg(p.x()).arg(p.y()),
          session_.calls().MouseDown(p.x(), p.y()));
  });
  connect(canvas_, &CanvasView::PenMove, this, [this](QPoint p) {
    Apply(tr("Pen move to (%1, %2)").arg(p.x()).arg(p.y()),
          session_.calls().MouseMove(p.x(), p.y()));
  });
  connect(canvas_, &CanvasView::PenUp, this, [this](QPoint p) {
    Apply(tr("Pen up at (%1, %2)").arg(p.x()).arg(p.y()), session_.calls().MouseUp(p.x(), p.y()));
  });
  connect(canvas_, &CanvasView::ViewChanged, this, &StampWindow::WriteView);
}

}  // namespace stamp::gui
