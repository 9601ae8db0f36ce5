#include "host/session/plugin_calls.h"

#include <cstdio>

namespace stamp::host {
namespace {

// Built by appending: GCC 12's -O3 reads "(" + a temporary as a possible overlap (-Wrestrict).
std::string Point(int32_t x, int32_t y) {
  std::string text = "(";
  text += std::to_string(x);
  text += ',';
  text += std::to_string(y);
  text += ')';
  return text;
}

std::string Hex(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(value));
  return text;
}

}  // namespace

const char* EventExportName(EventKind kind) {
  switch (kind) {
    case EventKind::kPanelDown: return kExportNames.submenuDown;
    case EventKind::kPanelMove: return kExportNames.submenuMove;
    case EventKind::kPanelUp: return kExportNames.submenuUp;
    case EventKind::kPenDown: return kExportNames.mouseDown;
    case EventKind::kPenMove: return kExportNames.mouseMove;
    case EventKind::kPenUp: return kExportNames.mouseUp;
    case EventKind::kKeyA: return kExportNames.keyA;
    case EventKind::kKeyB: return kExportNames.keyB;
  }
  return "";
}

int32_t PluginCalls::Logged(const std::string& call, int32_t result) {
  log_.NewMessages(ui_.messages());
  log_.Line(call + " -> " + std::to_string(result));
  return result;
}

int32_t PluginCalls::Init(void* record) {
  return Logged(std::string(kExportNames.init) + "(record)", exports_.init(record));
}

int32_t PluginCalls::Destroy() {
  return Logged(std::string(kExportNames.destroy) + "()", exports_.destroy());
}

std::string PluginCalls::Info() {
  const char* name = exports_.info();
  const std::string text = name != nullptr ? name : "";
  log_.NewMessages(ui_.messages());
  log_.Line(std::string(kExportNames.info) + "() -> \"" + text + "\"");
  return text;
}

int32_t PluginCalls::Version() {
  const int32_t version = exports_.version();
  log_.NewMessages(ui_.messages());
  log_.Line(std::string(kExportNames.version) + "() -> " + Hex(version));
  return version;
}

int32_t PluginCalls::UpdateSubmenu() {
  return Logged(std::string(kExportNames.updateSubmenu) + "()", exports_.updateSubmenu());
}

// A pen move's first two values are not used; the host passes zeros.
int32_t PluginCalls::Send(const PluginEvent& event) {
  const int32_t x = event.x;
  const int32_t y = event.y;
  const std::string name = EventExportName(event.kind);
  switch (event.kind) {
    case EventKind::kPanelDown: return Logged(name + Point(x, y), exports_.submenuDown(x, y));
    case EventKind::kPanelMove: return Logged(name + Point(x, y), exports_.submenuMove(x, y));
    case EventKind::kPanelUp: return Logged(name + Point(x, y), exports_.submenuUp(x, y));
    case EventKind::kPenDown: return Logged(name + Point(x, y), exports_.mouseDown(x, y));
    case EventKind::kPenMove:
      return Logged(name + "(0,0," + Point(x, y).substr(1), exports_.mouseMove(0, 0, x, y));
    case EventKind::kPenUp: return Logged(name + Point(x, y), exports_.mouseUp(x, y));
    case EventKind::kKeyA: return Logged(name + "()", exports_.keyA());
    case EventKind::kKeyB: return Logged(name + "()", exports_.keyB());
  }
  return STAMP_RESULT_NOT_TAKEN;
}

}  // namespace stamp::host
