// A parsed script: one command per line of the script's text, with the line it came from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/session/plugin_calls.h"

namespace stamp::host {

enum class Op {
  kEvent,          // panel down|move|up X Y, pen down|move|up X Y, key a|b: an event sent
  kLayer,          // layer N
  kView,           // view X Y SHIFT
  kUndo,           // undo
  kHistoryUndo,    // history undo
  kHistoryRedo,    // history redo
  kDialogSelect,   // dialog select K
  kDialogType,     // dialog type TEXT
  kDialogFile,     // dialog file PATH (empty: the picker is cancelled)
  kDialogOk,       // dialog ok
  kDialogCancel,   // dialog cancel
  kExpectResult,   // expect result N
  kExpectMessage,  // expect message TEXT
  kSave,           // save NAME
  kDestroy,        // destroy
  kInit,           // init
};

struct ScriptCommand {
  Op op;
  int line;                                 // 1-based line of the script text
  std::vector<int32_t> numbers;             // the command's numbers, in order
  std::string text;                         // TEXT, PATH or NAME
  EventKind event = EventKind::kPanelDown;  // which event kEvent sends
};

struct Script {
  std::string name;  // how errors name the script: its path, or "demo"
  std::vector<ScriptCommand> commands;
};

}  // namespace stamp::host
