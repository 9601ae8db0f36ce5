#include "host/gui/views/panel_view.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

// Halved and rounded down, so that a drag beyond the left or top edge stays outside the panel.
int PanelCoordinate(double widgetCoordinate) {
  return static_cast<int>(std::floor(widgetCoordinate / PanelView::kScale));
}

QPoint PanelPoint(const QMouseEvent* event) {
  return {PanelCoordinate(event->position().x()), PanelCoordinate(event->position().y())};
}

}  // namespace

PanelView::PanelView(QWidget* parent) : QWidget(parent) {
  setObjectName("panel");
  setToolTip(tr("The stamp tool's panel.\n"
                "Cells: pick the stamp from the sheet.\n"
                "+ and -: make the stamp larger or smaller (%1 down to %2 pixels).\n"
                "Dial: press and drag around it to turn the stamp; the number below is the angle.\n"
                "File: choose a stamp sheet.")
                 .arg(int{STAMP_HIGHEST_BUTTON_REDUCTION})
                 .arg(int{STAMP_LOWEST_BUTTON_REDUCTION}));
}

void PanelView::SetImage(const QImage& panel) {
  panel_ = panel;
  setFixedSize(panel_.size() * kScale);
  update();
}

QSize PanelView::sizeHint() const { return panel_.size() * kScale; }

void PanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), panel_);
}

void PanelView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  penIsDown_ = true;
  emit PenDown(PanelPoint(event));
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
  if (penIsDown_) emit PenMove(PanelPoint(event));
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !penIsDown_) return;
  penIsDown_ = false;
  emit PenUp(PanelPoint(event));
}

}  // namespace stamp::gui
