// Each way a run can fail gives one clear message and its exit code, and leaves nothing
// half-written: a malformed script or option (2, before anything runs), a missing or wrong
// plug-in, a failed start-up, a canvas a record cannot hold (1).
#include <gtest/gtest.h>

#include "host_process.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

const fs::path kFakes = STAMP_FAKE_PLUGINS;

// The module's and the panel image's places in a host folder.
const fs::path kModule = fs::path(STAMP_PLUGIN_FOLDER) / STAMP_MODULE_FILE;
const fs::path kPanelImage = fs::path(STAMP_PLUGIN_FOLDER) / STAMP_PANEL_IMAGE_FILE;

using HostFailure = HostProcessTest;

TEST_F(HostFailure, MalformedScriptExitsTwoNamingTheLineBeforeAnythingRuns) {
  WriteFile(folder_ / "bad.txt", "# fine so far\nkey a\nsave early\n\npen dwn 10 20\n");
  const HostRun run = Host({"run", "bad.txt", "--profile", "p.ini", "--out", "out"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "stamp-host: bad.txt:5: unknown command \"pen dwn\"\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(folder_ / "out")) << "nothing may run before the whole script parses";
  EXPECT_FALSE(fs::exists(folder_ / "p.ini"));
}

// A name that is not UTF-8 (the file is there) is refused by its name, shown escaped, before any
// window or display is needed: the window's names could not carry it.
TEST_F(HostFailure, TheWindowRefusesANameThatIsNotUtf8ByName) {
#ifndef STAMP_HOST_GUI
  GTEST_SKIP() << "built without the window";
#endif
  WriteFile(folder_ / "bad\xff.ora", "");
  const HostRun run = Host({"gui", "--profile", "p.ini", "bad\xff.ora"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "stamp-host gui: cannot open bad\\xff.ora: the window opens only files whose "
            "names are UTF-8; rename it\n");
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

// A copy of the host's folder whose plug-in is missing, wrong or cannot start: exit 1 with one
// line; a wrong plug-in is not started, one that fails at start-up shows its message box; the
// one-line script writes nothing.
TEST_F(HostFailure, PlugInThatCannotRunExitsOneWithOneLine) {
  const fs::path host = folder_ / "host";
  const std::string module = (host / kModule).string();
  struct Row {
    const char* what;
    fs::path removed;   // from the host folder
    const char* fake;   // copied in as the plug-in, "" for none
    std::string error;  // the start of the one error line
    const char* shown;  // in the output, or nullptr when the plug-in is not to start
  };
  const Row rows[] = {
      {"missing plug-in", kModule, "", "stamp-host: cannot load the plug-in " + module + ": ",
       nullptr},
      {"wrong name", kModule, "fake_plugin_wrong_name.plg",
       "stamp-host: the plug-in calls itself \"Brush\", not \"Stamp\"\n", nullptr},
      {"wrong version", kModule, "fake_plugin_wrong_version.plg",
       "stamp-host: the plug-in speaks interface version 1073741824, not 1065353216 (1.0)\n",
       nullptr},
      {"missing export", kModule, "fake_plugin_missing_export.plg",
       "stamp-host: the plug-in " + module + " has no export plg_key_b\n", nullptr},
      {"failed start-up", kPanelImage, "",
       "stamp-host: the plug-in failed to start (plg_init returned 0)\n",
       "message: Stamp:data file load error\nplg_init(record) -> 0\n"},
  };
  WriteFile(folder_ / "s.txt", "save never\n");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const fs::path program = CopyHostFolder(host);
    fs::remove(host / row.removed);
    if (*row.fake != '\0') fs::copy_file(kFakes / row.fake, host / kModule);
    const HostRun run = Host({"run", "s.txt", "--profile", "p.ini", "--canvas", "40x40"}, program);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.starts_with(row.error)) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    if (row.shown != nullptr) {
      EXPECT_NE(run.out.find(row.shown), std::string::npos) << run.out;
    } else {
      EXPECT_EQ(run.out.find("plg_init"), std::string::npos) << "started a wrong plug-in";
    }
    EXPECT_FALSE(fs::exists(folder_ / "never-canvas.png"));
    EXPECT_FALSE(fs::exists(folder_ / "p.ini"));
    fs::remove_all(host);
  }
}

}  // namespace
}  // namespace stamp::test
