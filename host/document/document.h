// The drawing a window shows, in neither window's toolkit, and everything it is kept by: the
// host session that holds its three layers (started again on a record of another size when the
// canvas's size changes), the undo history, the autosave, whether it has changes that are not
// saved and the file it came from; and its files: Open and Save as OpenRaster, a picture
// imported into layer 0, the picture exported as PNG; and a recording of the drawing's steps as
// a script (script_recorder.h). Each operation that can fail says why and leaves the drawing as
// it was. Questions, messages, file choices, the clock and the timer are
// the window's (document_view.h): the document asks nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/document/autosave.h"
#include "host/document/document_view.h"
#include "host/document/script_recorder.h"
#include "host/ora/layered_picture.h"
#include "host/ora/read_progress.h"
#include "host/output/host_log.h"
#include "host/picture/picture_reader.h"
#include "host/result.h"
#include "host/session/history.h"
#include "host/session/session.h"
#include "host/session/session_ui.h"

namespace stamp::document {

class Document {
 public:
  // Builds the session and starts the tool (with the sample sheet on a first start); ui is the
  // user of every session the document starts (its dialogs and message boxes), and both ui and
  // view outlive the document. Throws std::runtime_error naming what failed when the session
  // cannot be built or the tool does not start.
  Document(const host::SessionOptions& options, const host::SessionUi& ui, DocumentView& view);
  // Shuts the tool down, which writes its settings to the profile.
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  host::Session& session() { return *session_; }
  const host::Session& session() const { return *session_; }
  // What the document was started with: the host folder, the canvas size it was last started at.
  const host::SessionOptions& options() const { return options_; }
  const host::History& history() const { return history_; }
  Autosave& autosave() { return autosave_; }
  bool unsaved() const { return unsaved_; }
  // The file the drawing was opened from or last saved to; empty for one never saved.
  const std::filesystem::path& path() const { return path_; }
  // Whether the tool started without a sheet in the profile, on the sample one.
  bool firstStart() const { return firstStart_; }

  // What the user does, sent to the tool through the session; a stamp it presses into the active
  // layer is a step of the history and an unsaved change. The recording, if any, gets the event.
  host::EventOutcome Send(const host::PluginEvent& event);
  // A sheet loaded into the tool through its own load dialog (host/session/sheet_loading.h).
  host::EventOutcome LoadSheet(const std::u16string& path);
  // Edits, each an unsaved change. Undo and Redo give the layer they changed, or -1 with no step
  // to take.
  int32_t Undo();
  int32_t Redo();
  // The picture becomes layer 0, at its top-left corner (cut at the canvas's edges, white where
  // it does not reach), as one step of the history. A picture whose pixels do not match its size
  // is refused.
  host::Status ImportPicture(const host::Picture& picture);

  // The canvas at another size: the session starts again on white layers, a drawing of no file.
  // Should that fail (too little memory included), it comes back at the old size with the
  // drawing it held.
  host::Status Resize(int32_t width, int32_t height);
  // White layers of the canvas's size, no history, no file: a new drawing.
  void Clear();
  // The drawing in the OpenRaster file replaces this one, at its own size, and is saved there.
  // Its layers are decoded straight into the record once the file is checked
  // (ora::ReadOraInPlace). ora::kReadStopped when progress stopped the read; notes as
  // ora::ReadOra gives them. allowSize, once the file is checked, says whether a canvas of the
  // drawing's size may be made (the window asks about one that needs much memory); when it says
  // no, the drawing is unchanged and the reason is kReadStopped.
  host::Status Open(const std::filesystem::path& path, ora::ReadProgress progress,
                    std::vector<std::string>* notes,
                    const std::function<bool(int32_t width, int32_t height)>& allowSize);
  // A drawing recovered from an autosave: it replaces this one, unsaved.
  host::Status Recover(const ora::LayeredPicture& drawing);
  // Writes the drawing to path as OpenRaster; only then is it saved there. A failure leaves it
  // unsaved, its file as it was, and any earlier file at path unchanged.
  host::Status Save(const std::filesystem::path& path);
  // The picture as shown, the layers as one without a stroke's preview, as a PNG.
  host::Status Export(const std::filesystem::path& path);

  // The autosave's timer came (DocumentView::TickAfter): it writes what is waiting.
  void Tick();

  // The drawing's steps from now on are recorded as a script at path. A script starts from white
  // layers and from the tool as its profile starts it (a copy of the profile is kept beside the
  // script), so the drawing starts again: the tool is shut down (its settings written) and
  // started on white layers of the same size, a drawing of no file (the window asks about unsaved
  // changes first). Fails, with the drawing untouched,
  // when path cannot be written. What replaces the drawing in a way no script line can (another
  // canvas, a drawing or a picture opened, a recovered drawing), or a line that cannot be
  // written, ends the recording, with its last line saying why (DocumentView::OnRecordingEnded).
  host::Status StartRecording(const std::filesystem::path& path);
  void StopRecording();
  // The script being written; empty when none is.
  std::filesystem::path recording() const;

 private:
  void MakeSession();
  void StartSession(int32_t width, int32_t height);
  void Changed();
  void MarkSaved(const std::filesystem::path& path);
  void ShowLayers();
  void Stamped();
  // The recording ends, its last line saying why.
  void EndRecording(const std::string& why);
  // A line of the recording was written, or could not be, which ends it.
  void Recorded(const host::Status& written);
  // A step of the history went back into layer (-1: there was no step to take).
  int32_t Stepped(int32_t layer);
  ora::LayeredPicture Drawing() const;
  void Load(const ora::LayeredPicture& drawing);
  host::Status Write(const std::filesystem::path& path) const;

  host::SessionOptions options_;
  const host::SessionUi& ui_;
  DocumentView& view_;
  host::HostLog log_;
  std::unique_ptr<host::Session> session_;
  host::History history_;
  Autosave autosave_;
  std::filesystem::path path_;
  bool unsaved_ = false;
  bool firstStart_ = false;
  std::unique_ptr<ScriptRecorder> recorder_;
};

}  // namespace stamp::document
