// The canvas as the window shows it: the composite at a zoom of 1:1, 1:2 or 1:4, scrolled in a
// viewport. The record's view fields describe this view: zoomShift is the zoom's shift count and
// (viewX, viewY) is where the canvas's top-left corner lies in the viewport (negative once
// scrolled). A point of the view is canvas point ((x - viewX) << zoomShift, (y - viewY) <<
// zoomShift), the conversion the tool applies at pen-down.
//
// Pen events: pen-down reports the view point, the tool converts it; moves and pen-up report
// canvas points, converted here by the same rule.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

namespace stamp::gui {

class CanvasView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kMaxZoomShift = 2;

  explicit CanvasView(QWidget* parent = nullptr);

  // The composite at full size; the view shows it at the current zoom.
  void SetImage(const QImage& canvas);
  const QImage& image() const { return canvas_; }
  void SetZoomShift(int shift);
  int zoomShift() const { return zoomShift_; }
  QPoint ViewOrigin() const;
  QPoint CanvasPoint(QPoint viewPoint) const;

 signals:
  void PenDown(QPoint viewPoint);
  void PenMove(QPoint canvasPoint);
  void PenUp(QPoint canvasPoint);
  // The zoom or the scroll position changed.
  void ViewChanged();

 protected:
  // The whole canvas as shown, so the window opens as large as the screen lets it.
  QSize viewportSizeHint() const override { return shown_.size(); }
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void UpdateScrollRanges();

  QImage canvas_;
  QImage shown_;  // canvas_ at the zoom
  int zoomShift_ = 0;
  bool penIsDown_ = false;
};

}  // namespace stamp::gui
