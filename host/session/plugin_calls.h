// Calls into the plug-in's exports, each logged as one line "plg_NAME(ARGS) -> RESULT" after the
// message boxes it showed ("message: TEXT"), in the order they happened.
#pragma once

#include <cstdint>
#include <string>

#include "host/output/host_log.h"
#include "host/plugin/plugin_module.h"
#include "host/session/session_ui.h"

namespace stamp::host {

// What the user does that the plug-in is told of, one export each: pen down, move and up on the
// panel (panel coordinates) and on the canvas (down in view coordinates, move and up in canvas
// coordinates), and the two cell keys.
enum class EventKind { kPanelDown, kPanelMove, kPanelUp, kPenDown, kPenMove, kPenUp, kKeyA, kKeyB };

struct PluginEvent {
  EventKind kind;
  int32_t x = 0;  // the pen's point; the keys carry none
  int32_t y = 0;
};

// The name of the export an event calls.
const char* EventExportName(EventKind kind);

class PluginCalls {
 public:
  PluginCalls(const PluginExports& exports, const SessionUi& ui, HostLog& log)
      : exports_(exports), ui_(ui), log_(log) {}

  int32_t Init(void* record);
  int32_t Destroy();
  // The display name, "" when the plug-in gives none.
  std::string Info();
  int32_t Version();
  int32_t UpdateSubmenu();
  // Calls the event's export and gives its result.
  int32_t Send(const PluginEvent& event);

 private:
  // Logs a call that gave result, after the message boxes shown during it.
  int32_t Logged(const std::string& call, int32_t result);

  const PluginExports& exports_;
  const SessionUi& ui_;
  HostLog& log_;
};

}  // namespace stamp::host
