#include "host/commands/script_session.h"

#include <exception>
#include <filesystem>

#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/session/script_user.h"

namespace stamp::host {

namespace {

// The run's exit code, or why it failed. The session is gone by the time the failure is told.
Result<int> RunSession(const Script& script, const SessionOptions& options,
                       const ScriptPlaces& places, HostLog& log, const SessionSteps& steps) {
  std::filesystem::create_directories(places.outFolder);
  ScriptUser user;
  Session session(options, user, log);
  session.Start();
  const Result<ScriptOutcome> outcome = RunScript(script, session, user, places, log);
  STAMP_TRY(outcome);
  const bool toEnd = *outcome == ScriptOutcome::kRanToEnd;
  if (toEnd && steps.afterScript) STAMP_TRY(steps.afterScript(session));
  const int closed = ExitAfterClose(toEnd ? kExitOk : kExitExpectation, session.Close());
  session.CheckGuards();
  return closed;
}

}  // namespace

int RunScriptSession(const Script& script, const SessionOptions& options,
                     const ScriptPlaces& places, HostLog& log, const SessionSteps& steps) {
  try {
    const Result<int> code = RunSession(script, options, places, log, steps);
    if (code.ok()) return *code;
    log.Error(code.error());
  } catch (const std::exception& failure) {
    log.Error(failure.what());
  }
  return kExitFailure;
}

}  // namespace stamp::host
