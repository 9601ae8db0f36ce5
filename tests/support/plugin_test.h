// The fixture base of every test that runs plug-in code: a TestHost whose guard zones are checked,
// the scripted UI installed for message boxes and dialogs, and at the end no injected fault left
// and every platform object the test made released.
#pragma once

#include "platform/scripted_ui/scripted_ui.h"
#include "platform/testing/platform_testing.h"
#include "support/live_objects.h"
#include "support/test_host.h"

namespace stamp::test {

class PluginTest : public HostTest {
 protected:
  PluginTest() { ui.Install(); }
  // A fixture that made platform objects releases them before this runs.
  void TearDown() override {
    plat_fault_clear();
    liveObjects.ExpectAllReleased();
    HostTest::TearDown();
  }

  platform::ScriptedUi ui;
  const LiveObjects liveObjects;
};

}  // namespace stamp::test
