// What a pane reports of the pen: the tool's event and its point (the main window sends it
// through the session and shows what it changed).
#pragma once

#include <windows.h>

#include <functional>

#include "host/document/view_mapping.h"
#include "host/session/plugin_calls.h"

namespace stamp::window {

using PenReport = std::function<void(host::EventKind kind, document::Point point)>;

// The pointer's point a mouse message carries: signed, since a held mouse reports points left of
// and above the window too.
inline document::Point MessagePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace stamp::window
