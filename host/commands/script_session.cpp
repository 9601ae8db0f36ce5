#include "host/commands/script_session.h"

#include <exception>
#include <filesystem>

#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/session/script_user.h"

namespace stamp::host {

int RunScriptSession(const Script& script, const SessionOptions& options,
                     const ScriptPlaces& places, HostLog& log, const SessionSteps& steps) {
  try {
    std::filesystem::create_directories(places.outFolder);
    ScriptUser user;
    Session session(options, user, log);
    session.Start();
    const ScriptOutcome outcome = RunScript(script, session, user, places, log);
    if (outcome == ScriptOutcome::kRanToEnd && steps.afterScript) steps.afterScript(session);
    const int code = outcome == ScriptOutcome::kRanToEnd ? kExitOk : kExitExpectation;
    const int closed = ExitAfterClose(code, session.Close());
    session.CheckGuards();
    return closed;
  } catch (const std::exception& failure) {
    log.Error(failure.what());
    return kExitFailure;
  }
}

}  // namespace stamp::host
