#include "host/gui/canvas_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "host/gui/raster_image.h"

namespace stamp::gui {
namespace {

constexpr QColor kBackdrop{0x80, 0x80, 0x80};
// The least the window gives the canvas: a pocket screen's width.
constexpr QSize kMinimumSize{240, 240};

QPoint EventPoint(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

CanvasView::CanvasView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("canvas");
  viewport()->setCursor(Qt::CrossCursor);
  setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
  setMinimumSize(kMinimumSize);
  setToolTip(
      tr("The canvas. Press the pen to see the stamp, move it into place and lift the "
         "pen to stamp it onto the chosen layer."));
}

void CanvasView::SetImage(const QImage& canvas) {
  const bool resized = canvas.size() != canvas_.size();
  canvas_ = canvas;
  shown_ = ZoomedOut(canvas_, zoomShift_);
  if (resized) UpdateScrollRanges();
  viewport()->update();
}

void CanvasView::SetZoomShift(int shift) {
  zoomShift_ = std::clamp(shift, 0, kMaxZoomShift);
  shown_ = ZoomedOut(canvas_, zoomShift_);
  UpdateScrollRanges();
  viewport()->update();
  emit ViewChanged();
}

QPoint CanvasView::ViewOrigin() const {
  return {-horizontalScrollBar()->value(), -verticalScrollBar()->value()};
}

QPoint CanvasView::CanvasPoint(QPoint viewPoint) const {
  const QPoint offset = viewPoint - ViewOrigin();
  return {offset.x() << zoomShift_, offset.y() << zoomShift_};
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), kBackdrop);
  painter.drawImage(ViewOrigin(), shown_);
}

void CanvasView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void CanvasView::scrollContentsBy(int, int) {
  viewport()->update();
  emit ViewChanged();
}

void CanvasView::UpdateScrollRanges() {
  const QSize page = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, shown_.width() - page.width()));
  verticalScrollBar()->setRange(0, std::max(0, shown_.height() - page.height()));
  horizontalScrollBar()->setPageStep(page.width());
  verticalScrollBar()->setPageStep(page.height());
}

// Only a press on the canvas itself starts a stroke: the tool bounds its pixels by the buffer's
// byte size alone, so a point beside the canvas would land on a neighbouring row.
void CanvasView::mousePressEvent(QMouseEvent* event) {
  const QRect shownArea(ViewOrigin(), shown_.size());
  if (event->button() != Qt::LeftButton || !shownArea.contains(EventPoint(event))) return;
  penIsDown_ = true;
  emit PenDown(EventPoint(event));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (penIsDown_) emit PenMove(CanvasPoint(EventPoint(event)));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !penIsDown_) return;
  penIsDown_ = false;
  emit PenUp(CanvasPoint(EventPoint(event)));
}

}  // namespace stamp::gui
