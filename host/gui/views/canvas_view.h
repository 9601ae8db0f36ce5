// The canvas as the window shows it, at a zoom from 1:4 to 8:1 (view_mapping.h), scrolled in a
// viewport. The view keeps no picture of the canvas: each paint asks the compositor for the
// canvas pixels the viewport shows, at the zoom shown, and writes them straight into a frame the
// viewport's size.
//
// Pen events: pen-down reports the point the tool's conversion takes (ViewMapping::PenDownPoint);
// moves and pen-up report canvas points.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <QSize>

#include "host/gui/views/view_mapping.h"
#include "host/output/compositor.h"

namespace stamp::gui {

class CanvasView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CanvasView(QWidget* parent = nullptr);

  // The canvas to show from now on: canvasSize pixels, composited by compositor, which must
  // outlive the view or the next call. Until the first call the view shows no canvas.
  void SetCanvas(host::Compositor& compositor, QSize canvasSize);

  // The canvas's pixels changed: paint them again.
  void CanvasChanged() { viewport()->update(); }
  // Sets the zoom (clamped to the range) keeping the canvas point under anchor, a view point,
  // where it is; without an anchor, the point at the viewport's centre.
  void SetZoom(int zoom);
  void SetZoomAt(int zoom, QPoint anchor);
  int zoom() const { return zoom_; }
  ViewMapping mapping() const;

 signals:
  void PenDown(QPoint toolPoint);
  void PenMove(QPoint canvasPoint);
  void PenUp(QPoint canvasPoint);
  // The zoom or the scroll position changed.
  void ViewChanged();

 protected:
  // The whole canvas as shown.
  QSize viewportSizeHint() const override { return mapping().ShownSize(canvasSize_); }
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // A dialog opened mid-stroke takes the pointer, and this view never sees the release: the
  // stroke ends where the pen last was, as if lifted there, so no preview stays in the overlay.
  bool event(QEvent* event) override;
  // Ctrl+wheel zooms about the pointer; the wheel alone scrolls.
  void wheelEvent(QWheelEvent* event) override;

 private:
  void UpdateScrollRanges();
  QRect ShownArea() const;
  void PaintFrame(const QRect& area);
  void EndStroke(QPoint canvasPoint);

  host::Compositor* compositor_ = nullptr;
  QSize canvasSize_{0, 0};
  int zoom_ = 0;
  bool penIsDown_ = false;
  QPoint lastPenPoint_;            // canvas point of the pen's last press or move
  QImage frame_;                   // the shown part of the canvas, reused between paints
  std::vector<uint8_t> rowBytes_;  // one composited row segment, B,G,R
};

}  // namespace stamp::gui
