// The tool's panel as the window shows it: the panel raster's rows 730 to 849 at twice their size,
// each raster pixel a crisp 2x2 block. Pen events are reported in panel coordinates (the widget
// position halved, rounded down), as the tool's panel handlers take them.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace stamp::gui {

class PanelView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kScale = 2;

  explicit PanelView(QWidget* parent = nullptr);

  void SetImage(const QImage& panel);
  const QImage& image() const { return panel_; }
  QSize sizeHint() const override;

 signals:
  void PenDown(QPoint panelPoint);
  void PenMove(QPoint panelPoint);
  void PenUp(QPoint panelPoint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage panel_;
  bool penIsDown_ = false;
};

}  // namespace stamp::gui
