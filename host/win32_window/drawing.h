// The drawing the Windows window shows: the host session that holds its three layers (started
// again on a record of another size when the canvas's size changes), the undo history, whether it
// has changes that are not saved, and the picture exported as PNG. The operations and the
// listener carry the names and results of host/document's Document and DocumentView, so that the
// document takes this class's place once it builds for Windows (it needs the OpenRaster files).
// Each operation that can fail says why, and leaves the drawing as it was. Questions and messages are the window's: the drawing asks nothing and tells
// its listener what changed.
//
// Drawings in files and pictures read into a layer are not here yet: the Windows build has no
// OpenRaster files and reads no pictures, and the window greys what needs them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/document/history.h"
#include "host/output/host_log.h"
#include "host/session/session.h"
#include "host/win32_window/view_mapping.h"

namespace stamp::window {

// What the window does when the drawing changes.
class DrawingListener {
 public:
  // unsaved() or path() changed.
  virtual void OnStateChanged() = 0;
  // The layers' pixels changed: the canvas is shown again.
  virtual void OnLayersChanged() = 0;
  // The session started again (another canvas size): its record, compositor and panel are new.
  virtual void OnRestarted() = 0;

 protected:
  ~DrawingListener() = default;
};

class Drawing {
 public:
  // Builds the session and starts the tool (with the sample sheet on a first start); its dialogs
  // and message boxes are the system's, owned by options.mainWindow. Throws std::runtime_error
  // naming what failed when the session cannot be built or the tool does not start.
  Drawing(const host::SessionOptions& options, DrawingListener& listener);
  // Shuts the tool down, which writes its settings to the profile.
  ~Drawing();
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  host::Session& session() { return *session_; }
  const host::SessionOptions& options() const { return options_; }
  const document::History& history() const { return history_; }
  bool unsaved() const { return unsaved_; }
  // The file the drawing was opened from or last saved to; empty for one never saved.
  const std::filesystem::path& path() const { return path_; }
  bool firstStart() const { return firstStart_; }

  // Stamped: the tool pressed a stamp into the active layer (its snapshot of the layer before is
  // in the record's undo buffer). Undo and Redo give the layer they changed, or -1 with no step.
  void Stamped();
  int32_t Undo();
  int32_t Redo();
  // The canvas at another size: the session starts again on white layers, a drawing of no file.
  // Should that fail (too little memory included), it comes back at the old size with the
  // drawing it held.
  host::Status Resize(int32_t width, int32_t height);
  // White layers of the canvas's size, no history, no file: a new drawing.
  void Clear();
  // The picture as shown, the layers as one without a stroke's preview, as a PNG.
  host::Status Export(const std::filesystem::path& path);
  // Shuts the tool down (its settings go to the profile) and says whether they were saved.
  host::SessionEnd Close() { return session_->Close(); }

 private:
  void StartSession(int32_t width, int32_t height);
  void Changed();
  int32_t Stepped(int32_t layer);
  // The session at size again with the layers put back.
  void Restore(Size size, const std::vector<std::vector<uint8_t>>& layers);

  class SystemUser;
  host::SessionOptions options_;
  DrawingListener& listener_;
  host::HostLog log_;
  std::unique_ptr<SystemUser> user_;  // outlives every session
  std::unique_ptr<host::Session> session_;
  document::History history_;
  std::filesystem::path path_;
  bool unsaved_ = false;
  bool firstStart_ = false;
};

}  // namespace stamp::window
