#include "host/gui/views/canvas_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace stamp::gui {
namespace {

constexpr QColor kBackdrop{0x80, 0x80, 0x80};
// The least the window gives the canvas: a pocket screen's width.
constexpr QSize kMinimumSize{240, 240};
constexpr int kPixelBytes = 3;
// One notch of a mouse wheel, in the eighths of a degree Qt reports.
constexpr int kWheelNotch = 120;

QPoint EventPoint(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

CanvasView::CanvasView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("canvas");
  viewport()->setCursor(Qt::CrossCursor);
  // The frame covers every pixel it paints; Qt need not clear the viewport first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(kMinimumSize);
  setToolTip(
      tr("The canvas. Press the pen to see the stamp, move it into place and lift the "
         "pen to stamp it onto the chosen layer. Ctrl+wheel zooms."));
  UpdateScrollRanges();
}

void CanvasView::SetCanvas(host::Compositor& compositor, QSize canvasSize) {
  compositor_ = &compositor;
  canvasSize_ = canvasSize;
  UpdateScrollRanges();
  updateGeometry();
  viewport()->update();
}

ViewMapping CanvasView::mapping() const {
  return {{-horizontalScrollBar()->value(), -verticalScrollBar()->value()}, zoom_};
}

void CanvasView::SetZoom(int zoom) { SetZoomAt(zoom, viewport()->rect().center()); }

void CanvasView::SetZoomAt(int zoom, QPoint anchor) {
  zoom = std::clamp(zoom, ViewMapping::kMinZoom, ViewMapping::kMaxZoom);
  if (zoom == zoom_) return;
  // The anchor's canvas position, in canvas pixels with fractions, stays under the anchor.
  const double scale = std::ldexp(1.0, zoom - zoom_);
  const QPoint origin = mapping().origin;
  const double x = (anchor.x() - origin.x()) * scale;
  const double y = (anchor.y() - origin.y()) * scale;
  zoom_ = zoom;
  UpdateScrollRanges();
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(x - anchor.x())));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(y - anchor.y())));
  viewport()->update();
  emit ViewChanged();
}

QRect CanvasView::ShownArea() const {
  const ViewMapping view = mapping();
  return QRect(view.origin, view.ShownSize(canvasSize_));
}

void CanvasView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = ShownArea() & event->rect();
  const QRegion backdrop = QRegion(event->rect()).subtracted(area);
  for (const QRect& part : backdrop) painter.fillRect(part, kBackdrop);
  if (area.isEmpty()) return;
  PaintFrame(area);
  painter.drawImage(area.topLeft(), frame_, QRect(QPoint(0, 0), area.size()));
}

// Composites the canvas pixels the area shows into frame_ (top-left at the area's corner): each
// shown row asks the compositor for the canvas columns it spans once, then picks the pixel of
// each view column; view rows that show the same canvas row copy the row above.
void CanvasView::PaintFrame(const QRect& area) {
  if (frame_.width() < area.width() || frame_.height() < area.height()) {
    frame_ = QImage(viewport()->size().expandedTo(area.size()), QImage::Format_RGB32);
  }
  const ViewMapping view = mapping();
  const int firstColumn = view.CanvasPoint(area.topLeft()).x();
  const int lastColumn = view.CanvasPoint(area.topRight()).x();
  const int columns = lastColumn - firstColumn + 1;
  rowBytes_.resize(static_cast<size_t>(columns) * kPixelBytes);
  std::vector<int> pick(static_cast<size_t>(area.width()));
  for (int i = 0; i < area.width(); ++i) {
    pick[static_cast<size_t>(i)] =
        (view.CanvasPoint({area.left() + i, area.top()}).x() - firstColumn) * kPixelBytes;
  }
  int previousRow = -1;
  for (int j = 0; j < area.height(); ++j) {
    auto* line = reinterpret_cast<QRgb*>(frame_.scanLine(j));
    const int canvasRow = view.CanvasPoint({area.left(), area.top() + j}).y();
    if (canvasRow == previousRow) {
      std::memcpy(line, frame_.constScanLine(j - 1), static_cast<size_t>(area.width()) * 4);
      continue;
    }
    previousRow = canvasRow;
    compositor_->Row(canvasRow, firstColumn, columns, rowBytes_.data());
    for (int i = 0; i < area.width(); ++i) {
      const uint8_t* bgr = rowBytes_.data() + pick[static_cast<size_t>(i)];
      line[i] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
  }
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
  const QSize shown = mapping().ShownSize(canvasSize_);
  horizontalScrollBar()->setRange(0, std::max(0, shown.width() - page.width()));
  verticalScrollBar()->setRange(0, std::max(0, shown.height() - page.height()));
  horizontalScrollBar()->setPageStep(page.width());
  verticalScrollBar()->setPageStep(page.height());
}

// Only a press on the canvas itself starts a stroke: the tool bounds its pixels by the buffer's
// byte size alone, so a point beside the canvas would land on a neighbouring row.
void CanvasView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !ShownArea().contains(EventPoint(event))) return;
  penIsDown_ = true;
  lastPenPoint_ = mapping().CanvasPoint(EventPoint(event));
  emit PenDown(mapping().PenDownPoint(EventPoint(event)));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  if (!penIsDown_) return;
  lastPenPoint_ = mapping().CanvasPoint(EventPoint(event));
  emit PenMove(lastPenPoint_);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) EndStroke(mapping().CanvasPoint(EventPoint(event)));
}

bool CanvasView::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) EndStroke(lastPenPoint_);
  return QAbstractScrollArea::event(event);
}

void CanvasView::EndStroke(QPoint canvasPoint) {
  if (!penIsDown_) return;
  penIsDown_ = false;
  emit PenUp(canvasPoint);
}

void CanvasView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QAbstractScrollArea::wheelEvent(event);
  const int notches = event->angleDelta().y() / kWheelNotch;
  if (notches != 0) SetZoomAt(zoom_ + notches, event->position().toPoint());
  event->accept();
}

}  // namespace stamp::gui
