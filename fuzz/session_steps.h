// The steps a fuzzed session is made of, each decoded from the input and run through the exports
// under the host watch, with the results every export may give checked.
#pragma once

#include "fuzz/fuzz_input.h"
#include "fuzz/session_checks.h"
#include "fuzz/session_world.h"
#include "host/record/complete_record.h"
#include "platform/scripted_ui/scripted_ui.h"

namespace stamp::fuzz {

struct FuzzedSession {
  host::HostRecord& record;
  const SessionWorld& world;
  platform::ScriptedUi& ui;
  HostWatch& watch;
  FuzzInput& input;
  bool open = false;  // the last start-up succeeded and no shut-down followed
};

// Decodes and runs the next step.
void RunStep(FuzzedSession& session);
// Shuts the session down, as a host does before it unloads the module.
void EndSession(FuzzedSession& session);

}  // namespace stamp::fuzz
