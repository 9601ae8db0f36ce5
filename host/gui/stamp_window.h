// The stamp tool's window: the canvas (the host's composite of the three layers and the overlay),
// the tool's panel at twice its size, the layer and zoom choosers, menus for the work's files,
// undo and redo and the cell keys, and a status line. The window runs one host session with the
// Qt back end installed over the session's scripted one, which stays idle: every pen, panel and
// key event goes to the tool's export, and the export's result says what is shown again (2: the
// panel; 9 or 1: the canvas). The window keeps the compositor's product of the layers, so a
// frame of the canvas costs one multiply over the part shown.
//
// The work is never lost without a word: Quit, closing the window, New canvas and opening other
// work ask first (Save / Discard / Cancel) while there are unsaved changes; the layers are
// autosaved to the state folder as the user works, and a window that starts after one that ended
// without closing offers to recover its autosave. Ending the session (EndSession: SIGTERM,
// SIGINT, the desktop session's end) closes without asking, keeping unsaved work as an autosave.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "host/gui/autosave.h"
#include "host/gui/history.h"
#include "host/gui/qt_ui_backend.h"
#include "host/ora/layered_picture.h"
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
  // Builds the session, starts the tool (with the sample sheet on a first start), shows its panel
  // and the canvas, and offers to recover work left by a window that did not close. Throws
  // std::runtime_error naming what failed when the session cannot be built or the tool does not
  // start.
  explicit StampWindow(const host::SessionOptions& options);
  // Shuts the tool down, which writes its settings to the profile.
  ~StampWindow() override;

  const host::Session& session() const { return *session_; }
  host::Session& session() { return *session_; }
  const History& history() const { return history_; }
  Autosave& autosave() { return *autosave_; }
  bool unsaved() const { return unsaved_; }

  // The work's files, as the File menu's actions use them once a file is chosen; each says what
  // went wrong in a message box and leaves the drawing as it was.
  bool SaveWorkTo(const QString& path);
  void OpenWorkFrom(const QString& path);
  void OpenPictureFrom(const QString& path);
  // A file handed from outside (the command line, a drop, the recent list), opened as the File
  // menu would by its kind (file_kind.h): a drawing as Open, asking first about unsaved changes;
  // a picture as Open picture into layer 0. Anything else is a message, the drawing untouched.
  void OpenFile(const QString& path);
  // A file of File > Open recent: one that is gone is taken off the list with a message.
  void OpenRecent(const QString& path);
  // Closes without asking; unsaved work stays as an autosave, for the next window to recover.
  void EndSession();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // One local file dragged onto the window is taken, and opens as OpenFile does once dropped.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout and menus.
  void BuildMenus();
  void BuildFileMenu();
  QWidget* BuildToolColumn();
  QComboBox* BuildLayerChooser();
  QComboBox* BuildZoomChooser();
  void AddZoomActions(QMenu* view);
  void ConnectViews();

  // The session: started at a canvas size, and started again at another.
  void MakeSession();
  void StartSession(int32_t width, int32_t height);
  bool ResizeCanvas(int32_t width, int32_t height);

  // What the controls do.
  void Apply(const QString& event, int32_t result);
  void ShowCanvas();
  void ShowPanel();
  void WriteView();
  void ChooseLayer(int layer);
  void Undo();
  void Redo();
  void ShowHistoryStep(int32_t layer, const QString& text);
  void NewCanvas();
  void ExportPicture();
  void ShowStartSettings(bool firstStart);

  // The work and its files.
  void Changed();
  void MarkSaved(const QString& path);
  bool ConfirmDiscard(const QString& action);
  bool SaveWork();
  bool SaveWorkAs();
  void OpenWork();
  void OpenPicture();
  enum class Placement { kCancel, kResizeCanvas, kTopLeft };
  Placement AskPlacement(const QSize& picture);
  ora::LayeredPicture Work() const;
  std::string WriteWork(const std::filesystem::path& path) const;
  void LoadWork(const ora::LayeredPicture& work);
  void OfferRecovery();
  void Warn(const QString& title, const QString& text);

  host::SessionOptions options_;
  host::HostLog log_;
  std::unique_ptr<host::Session> session_;
  std::unique_ptr<QtUiBackend> ui_;
  CanvasView* canvas_ = nullptr;
  PanelView* panel_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QComboBox* layer_ = nullptr;
  History history_;
  Autosave* autosave_ = nullptr;
  QString workPath_;
  bool unsaved_ = false;
  bool endingSession_ = false;
};

}  // namespace stamp::gui
