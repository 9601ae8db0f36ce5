#include "host/session/plugin_calls.h"

#include <cstdio>

namespace stamp::host {
namespace {

std::string Pair(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

std::string Hex(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(value));
  return text;
}

}  // namespace

int32_t PluginCalls::Logged(const std::string& call, int32_t result) {
  log_.NewMessages(ui_.messages());
  log_.Line(call + " -> " + std::to_string(result));
  return result;
}

int32_t PluginCalls::Init(void* record) {
  return Logged("plg_init(record)", exports_.init(record));
}

int32_t PluginCalls::Destroy() { return Logged("plg_destroy()", exports_.destroy()); }

std::string PluginCalls::Info() {
  const char* name = exports_.info();
  const std::string text = name != nullptr ? name : "";
  log_.NewMessages(ui_.messages());
  log_.Line("plg_info() -> \"" + text + "\"");
  return text;
}

int32_t PluginCalls::Version() {
  const int32_t version = exports_.version();
  log_.NewMessages(ui_.messages());
  log_.Line("plg_version() -> " + Hex(version));
  return version;
}

int32_t PluginCalls::UpdateSubmenu() {
  return Logged("plg_update_submenu()", exports_.updateSubmenu());
}

int32_t PluginCalls::SubmenuDown(int32_t x, int32_t y) {
  return Logged("plg_submenu_down(" + Pair(x, y) + ")", exports_.submenuDown(x, y));
}

int32_t PluginCalls::SubmenuMove(int32_t x, int32_t y) {
  return Logged("plg_submenu_move(" + Pair(x, y) + ")", exports_.submenuMove(x, y));
}

int32_t PluginCalls::SubmenuUp(int32_t x, int32_t y) {
  return Logged("plg_submenu_up(" + Pair(x, y) + ")", exports_.submenuUp(x, y));
}

int32_t PluginCalls::MouseDown(int32_t x, int32_t y) {
  return Logged("plg_mouse_down(" + Pair(x, y) + ")", exports_.mouseDown(x, y));
}

int32_t PluginCalls::MouseMove(int32_t x, int32_t y) {
  return Logged("plg_mouse_move(0,0," + Pair(x, y) + ")", exports_.mouseMove(0, 0, x, y));
}

int32_t PluginCalls::MouseUp(int32_t x, int32_t y) {
  return Logged("plg_mouse_up(" + Pair(x, y) + ")", exports_.mouseUp(x, y));
}

int32_t PluginCalls::KeyA() { return Logged("plg_key_a()", exports_.keyA()); }

int32_t PluginCalls::KeyB() { return Logged("plg_key_b()", exports_.keyB()); }

}  // namespace stamp::host
