// A recording of what a window sends the tool, written as a "stamp-host run" script while the
// user draws: each event after the layer and the view it was sent with (when they changed since
// the line before), the load dialog's end before the event that opened it, and the window's Undo
// and Redo as steps of the host's history. Every line reaches the file as it is written, so a
// window that is killed leaves its steps up to the last. The script starts from white layers of
// the canvas's size and from the tool's settings as they were, which are kept beside it (for
// steps.txt, in steps-settings.ini); its first lines say how to replay it, and a replay gives the
// same layers on either system's host.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "host/record/complete_record.h"
#include "host/result.h"
#include "host/script/script.h"
#include "host/session/plugin_calls.h"
#include "host/session/session_ui.h"

namespace stamp::document {

// What of the record an event is sent with that a script sets: the layer stamped into and the
// view the pen's point is in.
struct SentWith {
  int32_t layer;
  int32_t viewX;
  int32_t viewY;
  int32_t zoomShift;

  static SentWith Of(const host::HostRecord& record);
};

class ScriptRecorder {
 public:
  // Writes the script's first lines to path (the file the user chose, written over), naming the
  // canvas's size. Fails naming the file when it, or the settings' file beside it, cannot be
  // written: that one is written over only when an earlier recording wrote it.
  static host::Result<std::unique_ptr<ScriptRecorder>> Start(const std::filesystem::path& path,
                                                             const host::HostRecord& record);
  // Keeps a copy of the tool's settings, the profile as the tool that the script starts from
  // read it, beside the script. No profile yet is no settings: the tool's own defaults.
  host::Status KeepSettings(const std::filesystem::path& profile);

  // event was sent with `with`; dialogs are the load dialogs it opened, in order.
  host::Status Event(const SentWith& with, const host::PluginEvent& event,
                     std::span<const host::DialogEnd> dialogs);
  host::Status HistoryStep(bool undo);
  // Closes the script with a last comment saying why it ends before the drawing does.
  void End(const std::string& why);

  const std::filesystem::path& path() const { return path_; }

 private:
  explicit ScriptRecorder(const std::filesystem::path& path);
  host::Status Write(const host::ScriptCommand& command);
  host::Status WriteLine(const std::string& line);

  std::filesystem::path path_;
  std::filesystem::path settings_;
  std::ofstream out_;
  std::optional<SentWith> written_;  // what the script has set so far
};

}  // namespace stamp::document
