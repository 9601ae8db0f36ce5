// A whole scripted run, shared by "run" and "demo": the script's user installed, the session
// built, the plug-in started, the script run, the plug-in shut down (its settings go to the
// profile), the guard zones checked.
#pragma once

#include <functional>

#include "host/output/host_log.h"
#include "host/script/script.h"
#include "host/script/script_runner.h"
#include "host/session/session.h"

namespace stamp::host {

// What a command adds to a run; may be empty, may fail the run, and may throw
// std::runtime_error where the session cannot go on.
struct SessionSteps {
  std::function<Status(Session&)> afterScript;  // after a script that ran to its end
};

// Gives kExitOk, kExitExpectation, kExitSettingsNotSaved, or kExitFailure after printing why.
int RunScriptSession(const Script& script, const SessionOptions& options,
                     const ScriptPlaces& places, HostLog& log, const SessionSteps& steps = {});

}  // namespace stamp::host
