#include "host/script/script_session.h"

#include <exception>
#include <filesystem>

#include "host/commands/exit_codes.h"

namespace stamp::host {

int RunScriptSession(const Script& script, const SessionOptions& options,
                     const ScriptPlaces& places, HostLog& log, const SessionSteps& steps) {
  try {
    std::filesystem::create_directories(places.outFolder);
    Session session(options, log);
    session.Start();
    const int code = RunScript(script, session, places, log);
    if (code == kExitOk && steps.afterScript) steps.afterScript(session);
    const int closed = session.Close(code);
    session.CheckGuards();
    return closed;
  } catch (const std::exception& failure) {
    log.Error(failure.what());
    return kExitFailure;
  }
}

}  // namespace stamp::host
