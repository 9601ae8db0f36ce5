#include "host/commands/demo_command.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/script_session.h"
#include "host/output/snapshot.h"
#include "host/record/host_directory.h"
#include "host/script/demo_script.h"
#include "host/script/script_parser.h"
#include "platform/support/text_encoding.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDemoHelp =
    "Runs the built-in demo script: loads the nature sample sheet through the load dialog and\n"
    "stamps a small scene with several cells, reductions, angles and all three layers on a\n"
    "240x320 canvas, frames it with stars and hearts from the shapes sheet, then writes\n"
    "DIR/canvas.png and DIR/panel.png. The demo's settings live in a profile of its own,\n"
    "removed afterwards.\n\n"
    "  --out DIR  where the pictures go (default: ./stamp-out)\n"
    "  --dumps    also write every buffer of the record as a 24-bit BMP, DIR/demo-NAME.bmp,\n"
    "             as a script's save does (to compare the scene's bytes between hosts)\n"
    "  --quiet    print only message boxes and errors\n";

constexpr int32_t kDemoWidth = 240;
constexpr int32_t kDemoHeight = 320;
constexpr int32_t kDialogListLimit = 50;  // the load dialog lists the first 50 files

// The files of the stamp folder as the load dialog lists them: enumerated the way it enumerates.
std::vector<std::string> DialogList(const fs::path& hostFolder) {
  const std::u16string pattern = HostDirectoryText(hostFolder) + u"" STAMP_SHEET_FOLDER "\\*.bmp";
  std::vector<std::string> names;
  PlatFindData entry{};
  const PlatHandle find = plat_find_first_file(pattern.c_str(), &entry);
  if (find == 0) return names;
  do {
    names.push_back(platform::ToUtf8(entry.fileName));
  } while (names.size() < kDialogListLimit && plat_find_next_file(find, &entry) != 0);
  plat_find_close(find);
  return names;
}

// The demo script with each {NAME} replaced by the list index of stamp/NAME.bmp.
std::string DemoScriptText(const fs::path& hostFolder) {
  const std::vector<std::string> list = DialogList(hostFolder);
  std::string text(kDemoScript);
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open)) {
    const size_t close = text.find('}', open);
    const std::string file = text.substr(open + 1, close - open - 1) + ".bmp";
    const auto found = std::find(list.begin(), list.end(), file);
    if (found == list.end()) {
      throw std::runtime_error("the sample sheet stamp/" + file + " is missing from " +
                               hostFolder.string());
    }
    text.replace(open, close - open + 1, std::to_string(found - list.begin()));
  }
  return text;
}

// A profile of the demo's own, in a fresh folder removed with it.
class DemoProfile {
 public:
  DemoProfile()
      : folder_(fs::temp_directory_path() / ("stamp-host-demo-" + std::to_string(getpid()))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~DemoProfile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  fs::path path() const { return folder_ / "profile.ini"; }

 private:
  fs::path folder_;
};

void WritePictures(Session& session, const fs::path& out, bool dumps, HostLog& log) {
  if (dumps) {
    const std::string error = SaveSnapshot(session.record(), session.compositor(), out, "demo");
    if (!error.empty()) throw std::runtime_error(error);
    log.Line("wrote " + (out / "demo-*").string());
  }
  for (const auto& [error, name] :
       {std::pair{SaveCanvasPng(session.record(), session.compositor(), out / "canvas.png",
                                Preview::kShown),
                  "canvas.png"},
        std::pair{SavePanelPng(session.record(), out / "panel.png"), "panel.png"}}) {
    if (!error.empty()) throw std::runtime_error(error);
    log.Line("wrote " + (out / name).string());
  }
}

}  // namespace

int RunDemoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommandLine> line =
      ParseCommandLine(args, {"--out"}, {"--dumps", "--quiet"}, error);
  if (line && line->help) {
    out << "usage: stamp-host " << kDemoUsage << "\n\n" << kDemoHelp;
    return kExitOk;
  }
  if (line && !line->positional.empty()) error = "unexpected " + line->positional[0];
  if (!error.empty()) {
    err << "stamp-host demo: " << error << "\nusage: stamp-host " << kDemoUsage << "\n";
    return kExitUsage;
  }
  HostLog log(out, err, line->flag("--quiet"));
  const fs::path hostFolder = ProgramFolder();
  const std::optional<Script> script = ParseScript(DemoScriptText(hostFolder), "demo", error);
  if (!script) {
    log.Error(error);
    return kExitFailure;
  }
  const DemoProfile profile;
  const fs::path outFolder = line->path("--out").value_or("stamp-out");
  SessionSteps steps;
  const bool dumps = line->flag("--dumps");
  steps.afterScript = [&](Session& session) { WritePictures(session, outFolder, dumps, log); };
  return RunScriptSession(*script, {kDemoWidth, kDemoHeight, profile.path(), hostFolder},
                          {outFolder, fs::current_path()}, log, steps);
}

}  // namespace stamp::host
