// One run of the host: the record and its buffers, the host's panel, the loaded plug-in speaking
// to the user its caller gives, and the one way an event goes to the plug-in and back: Send calls
// the event's export, logs it and acts on its result, which is read there alone:
//   2  the panel changed: restore the plug-in's panel rows and call plg_update_submenu;
//   1  a layer changed: the compositor's kept product of the layers is stale;
//   9  the overlay changed: nothing to do until something shows or writes the canvas.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/output/compositor.h"
#include "host/output/host_log.h"
#include "host/plugin/plugin_module.h"
#include "host/record/complete_record.h"
#include "host/session/host_panel.h"
#include "host/session/plugin_calls.h"
#include "host/session/session_ui.h"

namespace stamp::host {

struct SessionOptions {
  int32_t canvasWidth = kDefaultCanvasWidth;
  int32_t canvasHeight = kDefaultCanvasHeight;
  std::filesystem::path profile;
  std::filesystem::path hostFolder;  // holds the plug-in's folder and the sheet folder
  PlatHandle mainWindow = 0;         // the host's own main and frame window (HostRecordOptions)
};

// What an event changed, as its export's result said.
struct EventOutcome {
  int32_t result;              // the export's result, for scripts that expect one
  bool panelChanged = false;   // the panel was drawn again
  bool layerChanged = false;   // a layer changed (the compositor knows)
  bool canvasChanged = false;  // the canvas shows something new: a layer or the overlay changed
};

// How a session closed: everything done, or done but for the tool's settings, which the profile
// did not take.
enum class SessionEnd { kDone, kSettingsNotSaved };

class Session {
 public:
  // Builds the record, draws the host's panel and loads the plug-in, whose message boxes and
  // dialogs reach ui (installed by the caller, kept alive longer than the session). Throws
  // std::runtime_error naming what failed, as every failure of a session does.
  Session(const SessionOptions& options, const SessionUi& ui, HostLog& log);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Checks the plug-in's name and version and starts it; throws when either is wrong or
  // plg_init fails.
  void Start();
  // plg_init and plg_destroy as script commands; a started plug-in is shut down by Finish.
  int32_t Init();
  int32_t Destroy();
  void Finish();
  // Finishes, and says whether the tool's settings were saved (a failed write is logged as one
  // line).
  SessionEnd Close();

  // Sends the event to the plug-in, logs the call and acts on what it changed.
  EventOutcome Send(const PluginEvent& event);
  void RedrawPanel();
  // Copies undoBuffer back into the layer undoLayer names.
  void Undo();
  // A layer's bytes were changed by the host itself (undo, a new canvas, a picture opened).
  void LayersChanged() { compositor_.LayersChanged(); }
  // Throws when a guard zone changed: the plug-in wrote outside a buffer.
  void CheckGuards() const;

  PluginCalls& calls() { return calls_; }
  HostRecord& record() { return record_; }
  // The canvas as the host shows it, composited on demand.
  Compositor& compositor() { return compositor_; }
  const HostRecord& record() const { return record_; }

 private:
  HostLog& log_;
  HostRecord record_;
  HostPanel panel_;
  PluginModule module_;
  PluginCalls calls_;
  Compositor compositor_;
  bool running_ = false;
};

}  // namespace stamp::host
