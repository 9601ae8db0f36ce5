// The drawing the window shows, and everything it is kept by: the host session that holds its
// three layers (started again on a record of another size when the canvas's size changes), the
// undo history, the autosave, whether it has changes that are not saved and the file it came
// from; and its files: Open and Save as OpenRaster, a picture imported into layer 0, the picture
// exported as PNG. Each operation that can fail gives "" or a sentence saying why, and leaves the
// drawing as it was. Questions and messages are the window's: the work asks nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QObject>
#include <QString>

#include "host/gui/autosave.h"
#include "host/gui/history.h"
#include "host/gui/qt_ui_backend.h"
#include "host/ora/layered_picture.h"
#include "host/ora/read_progress.h"
#include "host/output/host_log.h"
#include "host/session/session.h"

class QWidget;

namespace stamp::gui {

class Work : public QObject {
  Q_OBJECT

 public:
  // Builds the session and starts the tool (with the sample sheet on a first start), its dialogs
  // and message boxes shown over dialogParent. Throws std::runtime_error naming what failed when
  // the session cannot be built or the tool does not start.
  Work(const host::SessionOptions& options, QWidget* dialogParent);
  // Shuts the tool down, which writes its settings to the profile.
  ~Work() override;

  host::Session& session() { return *session_; }
  const host::Session& session() const { return *session_; }
  // What the work was started with: the host folder, the canvas size it was last started at.
  const host::SessionOptions& options() const { return options_; }
  const History& history() const { return history_; }
  Autosave& autosave() { return *autosave_; }
  bool unsaved() const { return unsaved_; }
  // The file the drawing was opened from or last saved to; empty for one never saved.
  const QString& path() const { return path_; }
  // Whether the tool started without a sheet in the profile, on the sample one.
  bool firstStart() const { return firstStart_; }

  // Edits, each an unsaved change. Stamped: the tool pressed a stamp into the active layer (its
  // snapshot of the layer before is in the record's undo buffer). Undo and Redo give the layer
  // they changed, or -1 with no step to take.
  void Stamped();
  int32_t Undo();
  int32_t Redo();
  // The picture becomes layer 0, at its top-left corner, as one step of the history.
  std::string ImportPicture(const QImage& picture);

  // The canvas at another size: the session starts again on white layers, a drawing of no file.
  // Should that fail (too little memory included), it comes back at the old size with the
  // drawing it held.
  std::string Resize(int32_t width, int32_t height);
  // White layers of the canvas's size, no history, no file: a new drawing.
  void Clear();
  // The drawing in the OpenRaster file replaces this one, at its own size, and is saved there.
  // Its layers are decoded straight into the record once the file is checked
  // (ora::ReadOraInPlace). ora::kReadStopped when progress stopped the read; notes as
  // ora::ReadOra gives them. allowSize, once the file is checked, says whether a canvas of the
  // drawing's size may be made (the window asks about one that needs much memory); when it says
  // no, the drawing is unchanged and the reason is kReadStopped.
  std::string Open(const QString& path, ora::ReadProgress progress, std::vector<std::string>* notes,
                   const std::function<bool(int32_t width, int32_t height)>& allowSize);
  // A drawing recovered from an autosave: it replaces this one, unsaved.
  std::string Recover(const ora::LayeredPicture& drawing);
  std::string Save(const QString& path);
  // The picture as shown, the layers as one without a stroke's preview, as a PNG.
  std::string Export(const QString& path);

 signals:
  // unsaved() or path() changed.
  void StateChanged();
  // The layers' pixels changed: the canvas is shown again.
  void LayersChanged();
  // The session started again (another canvas size): its record, compositor and panel are new.
  void Restarted();

 private:
  void MakeSession();
  void StartSession(int32_t width, int32_t height);
  void Changed();
  void MarkSaved(const QString& path);
  // A step of the history went back into layer (-1: there was no step to take).
  int32_t Stepped(int32_t layer);
  ora::LayeredPicture Drawing() const;
  void Load(const ora::LayeredPicture& drawing);
  std::string Write(const std::filesystem::path& path) const;

  host::SessionOptions options_;
  host::HostLog log_;
  QtUiBackend ui_;  // the user of every session the work starts, so it outlives them
  std::unique_ptr<host::Session> session_;
  History history_;
  Autosave* autosave_ = nullptr;
  QString path_;
  bool unsaved_ = false;
  bool firstStart_ = false;
};

}  // namespace stamp::gui
