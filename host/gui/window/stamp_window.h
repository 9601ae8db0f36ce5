// The stamp tool's window: the canvas (the host's composite of the three layers and the overlay),
// the tool's panel at twice its size, the layer and zoom choosers, menus for the drawing's files,
// undo and redo and the cell keys, and a status line. The drawing and the session that holds it
// are the window's document (qt_document.h); the window shows them and forwards what the user does:
// every pen, panel and key event goes to the tool's export, and the export's result says what is
// shown again (2: the panel; 9 or 1: the canvas). The Qt back end is installed over the session's
// scripted one, which stays idle.
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

#include "host/gui/window/qt_document.h"
#include "host/session/session.h"

class QAction;
class QComboBox;
class QMenu;

namespace stamp::gui {

class CanvasView;
class PanelView;

class StampWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the document (which starts the tool), shows its panel and the canvas, and offers to
  // recover work left by a window that did not close. Throws std::runtime_error naming what failed
  // when the session cannot be built or the tool does not start.
  explicit StampWindow(const host::SessionOptions& options);
  // Remembers the window's size; the document then shuts the tool down.
  ~StampWindow() override;

  const QtDocument& work() const { return *work_; }
  QtDocument& work() { return *work_; }

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
  // The drawing's steps from now on go to the script at path (Document::StartRecording), the
  // drawing started again white once unsaved changes were asked about; a file that cannot be
  // written is a message.
  void StartRecording(const std::filesystem::path& path);

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

  // The session shown: at the start, and again whenever the document starts it again at another
  // size.
  void ShowSession();
  void ShowState();
  // Resize the document's canvas, saying why not in a message box; whether it has the size now.
  bool ResizeCanvas(int32_t width, int32_t height);

  // What the controls do: an event sent through the session, and what it changed shown.
  void Send(const QString& event, const host::PluginEvent& sent);
  void Apply(const QString& event, const host::EventOutcome& outcome);
  void ShowCanvas();
  void ShowPanel();
  void WriteView();
  void ChooseLayer(int layer);
  void Undo();
  void Redo();
  void NewCanvas();
  void ExportPicture();
  void RecordSteps();
  void ShowRecording();
  void ShowStartSettings();

  // The work's files, asked for and told about.
  bool ConfirmDiscard(const QString& action);
  bool SaveWork();
  bool SaveWorkAs();
  void OpenWork();
  void OpenPicture();
  enum class Placement { kCancel, kResizeCanvas, kTopLeft };
  Placement AskPlacement(const QSize& picture);
  void OfferRecovery();
  void Warn(const QString& title, const QString& text);

  CanvasView* canvas_ = nullptr;
  PanelView* panel_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QComboBox* layer_ = nullptr;
  QAction* record_ = nullptr;  // File > Record steps, or Stop recording while one runs
  std::unique_ptr<QtDocument> work_;
  bool endingSession_ = false;
};

}  // namespace stamp::gui
