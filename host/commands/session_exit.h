// The exit code of a command whose session closed as end after the command's own work gave code:
// code, or kExitSettingsNotSaved for a run that otherwise succeeded when the profile did not take
// the tool's settings.
#pragma once

#include "host/commands/exit_codes.h"
#include "host/session/session.h"

namespace stamp::host {

inline int ExitAfterClose(int code, SessionEnd end) {
  return code == kExitOk && end == SessionEnd::kSettingsNotSaved ? kExitSettingsNotSaved : code;
}

}  // namespace stamp::host
