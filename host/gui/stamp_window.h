// The stamp tool's window: the canvas (the host's composite of the three layers and the overlay),
// the tool's panel at twice its size, the layer and zoom choosers, menus for the canvas file,
// undo and the cell keys, and a status line. The window runs one host session with the Qt back
// end installed over the session's scripted one, which stays idle: every pen, panel and key event
// goes to the tool's export, and the export's result says what is shown again (2: the panel; 9 or
// 1: the canvas). The window keeps the compositor's product of the layers, so a frame of the
// canvas costs one multiply over the part shown.
#pragma once

#include <cstdint>

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "host/gui/qt_ui_backend.h"
#include "host/output/host_log.h"
#include "host/session/session.h"

class QComboBox;
class QMenu;

namespace stamp::gui {

class CanvasView;
class PanelView;

class StampWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the session, starts the tool and shows its panel and the canvas. Throws
  // std::runtime_error naming what failed when the session cannot be built or the tool does not
  // start.
  explicit StampWindow(const host::SessionOptions& options);
  // Shuts the tool down, which writes its settings to the profile.
  ~StampWindow() override;

  const host::Session& session() const { return session_; }
  host::Session& session() { return session_; }

 private:
  // Layout and menus.
  void BuildMenus();
  QWidget* BuildToolColumn();
  QComboBox* BuildLayerChooser();
  QComboBox* BuildZoomChooser();
  void AddZoomActions(QMenu* view);
  void ConnectViews();

  // What the controls do.
  void Apply(const QString& event, int32_t result);
  void ShowCanvas();
  void ShowPanel();
  void WriteView();
  void ChooseLayer(int layer);
  void Undo();
  void NewCanvas();
  void SaveCanvas();
  void ShowStartSettings();

  host::HostLog log_;
  host::Session session_;
  QtUiBackend ui_;
  CanvasView* canvas_ = nullptr;
  PanelView* panel_ = nullptr;
  QComboBox* zoom_ = nullptr;
};

}  // namespace stamp::gui
