// Runs a parsed script on a started session, command by command, its dialog lines answered by
// the session's user. An expect line that does not hold ends the run with one error naming the
// line; a failure of the host fails the run (a file it cannot write), or throws
// std::runtime_error where the session cannot go on (a plug-in that wrote outside a buffer).
#pragma once

#include <filesystem>

#include "host/output/host_log.h"
#include "host/result.h"
#include "host/script/script.h"
#include "host/session/script_user.h"
#include "host/session/session.h"

namespace stamp::host {

struct ScriptPlaces {
  std::filesystem::path outFolder;     // where save writes
  std::filesystem::path scriptFolder;  // what a relative "dialog file" path is taken from
};

enum class ScriptOutcome { kRanToEnd, kExpectationFailed };

// user is the one session speaks to.
Result<ScriptOutcome> RunScript(const Script& script, Session& session, ScriptUser& user,
                                const ScriptPlaces& places, HostLog& log);

}  // namespace stamp::host
