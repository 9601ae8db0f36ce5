// Calls into the plug-in's exports, each logged as one line "plg_NAME(ARGS) -> RESULT" after the
// message boxes it showed ("message: TEXT"), in the order they happened.
#pragma once

#include <cstdint>
#include <string>

#include "host/output/host_log.h"
#include "host/record/plugin_module.h"
#include "host/session/session_ui.h"

namespace stamp::host {

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
  int32_t SubmenuDown(int32_t x, int32_t y);
  int32_t SubmenuMove(int32_t x, int32_t y);
  int32_t SubmenuUp(int32_t x, int32_t y);
  int32_t MouseDown(int32_t x, int32_t y);
  int32_t MouseMove(int32_t x, int32_t y);
  int32_t MouseUp(int32_t x, int32_t y);
  int32_t KeyA();
  int32_t KeyB();

 private:
  // Logs a call that gave result, after the message boxes shown during it.
  int32_t Logged(const std::string& call, int32_t result);

  const PluginExports& exports_;
  const SessionUi& ui_;
  HostLog& log_;
};

}  // namespace stamp::host
