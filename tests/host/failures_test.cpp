// Each way a run can fail gives one clear message and its exit code, and leaves nothing
// half-written: a malformed script or option (2, before anything runs), a missing or wrong
// plug-in, a failed start-up, a canvas a record cannot hold (1).
#include <gtest/gtest.h>

#include <functional>

#include "host_process.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

const fs::path kFakes = STAMP_FAKE_PLUGINS;

// The module's and the panel image's places in a host folder.
const fs::path kModule = fs::path(STAMP_PLUGIN_FOLDER) / STAMP_MODULE_FILE;
const fs::path kPanelImage = fs::path(STAMP_PLUGIN_FOLDER) / STAMP_PANEL_IMAGE_FILE;

class HostFailure : public HostProcessTest {
 protected:
  // Runs a one-line script in a copy of the host's folder after change has altered it.
  HostRun RunCopied(const std::function<void(const fs::path& hostFolder)>& change) {
    const fs::path program = CopyHostFolder(folder_ / "host");
    change(folder_ / "host");
    WriteFile(folder_ / "s.txt", "save never\n");
    return Host({"run", "s.txt", "--profile", "p.ini", "--canvas", "40x40"}, program);
  }
  static void ReplacePlugIn(const fs::path& hostFolder, const fs::path& fake) {
    fs::remove(hostFolder / kModule);
    if (!fake.empty()) fs::copy_file(fake, hostFolder / kModule);
  }
  bool NothingWritten() const {
    return !fs::exists(folder_ / "never-canvas.png") && !fs::exists(folder_ / "p.ini");
  }
};

TEST_F(HostFailure, MalformedScriptExitsTwoNamingTheLineBeforeAnythingRuns) {
  WriteFile(folder_ / "bad.txt", "# fine so far\nkey a\nsave early\n\npen dwn 10 20\n");
  const HostRun run = Host({"run", "bad.txt", "--profile", "p.ini", "--out", "out"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "stamp-host: bad.txt:5: unknown command \"pen dwn\"\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(folder_ / "out")) << "nothing may run before the whole script parses";
  EXPECT_FALSE(fs::exists(folder_ / "p.ini"));
}

// Help is printed and ends with 0; a malformed command line ends with 2, its reason (where the
// command names one first) and the command's usage.
TEST_F(HostProcessTest, HelpAndMalformedCommandLinesGiveTheUsage) {
  const std::string runUsage = "\nusage: stamp-host run SCRIPT";
  const std::string sheetUsage = "usage: stamp-host sheet FILE";
  struct CommandLine {
    std::vector<std::string> args;
    int exitCode;
    std::string start;  // of the output with 0, else of the errors
  };
  const CommandLine lines[] = {
      {{"--help"}, 0, "usage: stamp-host COMMAND"},
      {{"run", "--help"}, 0, "usage: stamp-host run SCRIPT"},
      {{"demo", "--help"}, 0, "usage: stamp-host demo"},
      {{"sheet", "--help"}, 0, sheetUsage},
      {{"run", "s.txt", "--frobnicate"},
       2,
       "stamp-host run: unknown option --frobnicate" + runUsage},
      {{"run", "s.txt", "--canvas", "480by640"},
       2,
       "stamp-host run: --canvas takes WIDTHxHEIGHT, such as 480x640" + runUsage},
      {{"run", "s.txt", "--canvas"}, 2, "stamp-host run: --canvas needs a value" + runUsage},
      {{"run"}, 2, "stamp-host run: give one SCRIPT" + runUsage},
      {{"run", "s.txt", "t.txt"}, 2, "stamp-host run: give one SCRIPT" + runUsage},
      {{"run", "s.txt", "--profile", ""}, 2, "stamp-host run: --profile needs a value" + runUsage},
      {{"demo", "extra"}, 2, "stamp-host demo: unexpected extra\nusage: stamp-host demo"},
      {{"paint"}, 2, "stamp-host: unknown command paint\nusage: stamp-host COMMAND"},
      {{"sheet", "s.bmp", "--out", ""}, 2, sheetUsage},
      {{"sheet", "s.bmp", "--out", "folder/"}, 2, sheetUsage},
      {{"sheet"}, 2, sheetUsage},
      {{"sheet", "a.bmp", "b.bmp"}, 2, sheetUsage},
      {{"sheet", "a.bmp", "--out"}, 2, sheetUsage},
      {{"sheet", "--bogus"}, 2, sheetUsage},
  };
  WriteFile(folder_ / "s.txt", "key a\n");
  for (const CommandLine& line : lines) {
    const HostRun run = Host(line.args);
    EXPECT_EQ(run.exitCode, line.exitCode) << line.args.back();
    EXPECT_TRUE((line.exitCode == 0 ? run.out : run.err).starts_with(line.start))
        << line.args.back() << ": " << run.out << run.err;
  }
  EXPECT_NE(Host({"run", "--help"}).out.find("dialog file PATH"), std::string::npos);
}

TEST_F(HostFailure, CanvasTheRecordCannotHoldExitsOneWithTheReason) {
  WriteFile(folder_ / "s.txt", "key a\n");
  for (const auto& [size, reason] : {std::pair{"100000x100000", "more than a record field holds"},
                                     {"99999999999999999999x1", "more than a record field holds"},
                                     {"20000x20000", "more than fits below 4 GiB"},
                                     {"0x10", "has no pixels"}}) {
    const HostRun run = Host({"run", "s.txt", "--profile", "p.ini", "--canvas", size});
    EXPECT_EQ(run.exitCode, 1) << size;
    EXPECT_TRUE(run.err.starts_with("stamp-host: canvas ")) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << "the plug-in was not started";
  }
}

TEST_F(HostFailure, MissingPlugInExitsOne) {
  const HostRun run = RunCopied([](const fs::path& host) { ReplacePlugIn(host, {}); });
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.starts_with("stamp-host: cannot load the plug-in ")) << run.err;
  EXPECT_NE(run.err.find(kModule.string()), std::string::npos) << run.err;
  EXPECT_TRUE(NothingWritten());
}

TEST_F(HostFailure, WrongPlugInExitsOneNamingWhatIsWrong) {
  for (const auto& [fake, error] :
       {std::pair{"fake_plugin_wrong_name.plg",
                  "the plug-in calls itself \"Brush\", not \"Stamp\""},
        {"fake_plugin_wrong_version.plg",
         "the plug-in speaks interface version 1073741824, not 1065353216 (1.0)"},
        {"fake_plugin_missing_export.plg", "has no export plg_key_b"}}) {
    const fs::path plugIn = kFakes / fake;
    const HostRun run = RunCopied([&](const fs::path& host) { ReplacePlugIn(host, plugIn); });
    EXPECT_EQ(run.exitCode, 1) << fake;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("plg_init"), std::string::npos) << "started a wrong plug-in";
    EXPECT_TRUE(NothingWritten());
    fs::remove_all(folder_ / "host");
  }
}

TEST_F(HostFailure, FailedStartUpExitsOneWithItsMessageBoxes) {
  const HostRun run = RunCopied([](const fs::path& host) { fs::remove(host / kPanelImage); });
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("message: Stamp:data file load error\nplg_init(record) -> 0\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.err, "stamp-host: the plug-in failed to start (plg_init returned 0)\n");
  EXPECT_TRUE(NothingWritten());
}

}  // namespace
}  // namespace stamp::test
