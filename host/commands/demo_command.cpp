#include "host/commands/demo_command.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
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
#include "platform/portable/text_encoding.h"
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
    "It prints what it drew and where the pictures went; the plug-in's calls, one line each,\n"
    "go to DIR/demo-calls.log.\n\n"
    "  --out DIR  where the pictures go (default: ./stamp-out)\n"
    "  --dumps    also write every buffer of the record as a 24-bit BMP, DIR/demo-NAME.bmp,\n"
    "             as a script's save does (to compare the scene's bytes between hosts)\n"
    "  --verbose  print the plug-in's calls here instead of into DIR/demo-calls.log\n"
    "  --quiet    print only message boxes and errors\n";

constexpr int32_t kDemoWidth = 240;
constexpr int32_t kDemoHeight = 320;
constexpr int32_t kDialogListLimit = 50;  // the load dialog lists the first 50 files
constexpr std::string_view kCallLogFile = "demo-calls.log";

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

// The demo script with each {NAME} replaced by the list index of stamp/NAME.bmp, and the sheets
// it names, in the order it loads them.
struct DemoScene {
  std::string text;
  std::vector<std::string> sheets;
};

Result<DemoScene> DemoSceneIn(const fs::path& hostFolder) {
  const std::vector<std::string> list = DialogList(hostFolder);
  DemoScene scene{std::string(kDemoScript), {}};
  std::string& text = scene.text;
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open)) {
    const size_t close = text.find('}', open);
    const std::string file = text.substr(open + 1, close - open - 1) + ".bmp";
    const auto found = std::find(list.begin(), list.end(), file);
    if (found == list.end()) {
      return Failure{"the sample sheet stamp/" + file + " is missing from " +
                     platform::PathToUtf8(hostFolder)};
    }
    text.replace(open, close - open + 1, std::to_string(found - list.begin()));
    scene.sheets.push_back(file);
  }
  return scene;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

size_t StampsPressed(const Script& script) {
  return std::count_if(script.commands.begin(), script.commands.end(),
                       [](const ScriptCommand& command) {
                         return command.op == Op::kEvent && command.event == EventKind::kPenUp;
                       });
}

// The layers the scene left marks on: any byte that is not white.
std::vector<std::string> LayersDrawn(const HostRecord& record) {
  std::vector<std::string> layers;
  for (int layer = 0; stamp_rec_layer_buffer(layer) >= 0; ++layer) {
    const uint8_t* bytes = record.buffer(stamp_rec_layer_buffer(layer));
    if (std::any_of(bytes, bytes + record.canvasBytes(), [](uint8_t v) { return v != 0xFF; })) {
      layers.push_back(std::to_string(layer));
    }
  }
  return layers;
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

Status WritePictures(Session& session, const fs::path& out, bool dumps) {
  if (dumps) STAMP_TRY(SaveSnapshot(session.record(), session.compositor(), out, "demo"));
  STAMP_TRY(
      SaveCanvasPng(session.record(), session.compositor(), out / "canvas.png", Preview::kShown));
  return SavePanelPng(session.record(), out / "panel.png");
}

// The few lines a user reads: what was drawn, where it went, where the calls are.
std::string Report(const DemoScene& scene, const Script& script, const HostRecord& record,
                   const fs::path& out, bool dumps, const std::optional<fs::path>& callLog) {
  std::ostringstream stream;
  stream << "demo: stamped a " << record.canvasWidth() << "x" << record.canvasHeight()
         << " canvas " << StampsPressed(script) << " times from the sheets "
         << Listed(scene.sheets) << ", on layers " << Listed(LayersDrawn(record)) << "\n";
  stream << "demo: wrote " << platform::PathToUtf8(out / "canvas.png") << " and "
         << platform::PathToUtf8(out / "panel.png") << "\n";
  if (dumps) {
    stream << "demo: wrote every buffer as " << platform::PathToUtf8(out / "demo-*.bmp") << "\n";
  }
  if (callLog) {
    stream << "demo: the plug-in's calls are in " << platform::PathToUtf8(*callLog)
           << " (--verbose prints them here)\n";
  }
  return stream.str();
}

}  // namespace

int RunDemoCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  const Result<CommandLine> line =
      ParseCommandLine(args, {"--out"}, {"--dumps", "--quiet", "--verbose"});
  std::string error = line.error();
  if (line.ok() && line->help) {
    out << "usage: stamp-host " << kDemoUsage << "\n\n" << kDemoHelp;
    return kExitOk;
  }
  if (line.ok() && !line->positional.empty()) error = "unexpected " + line->positional[0];
  if (line.ok() && line->flag("--quiet") && line->flag("--verbose")) {
    error = "--quiet and --verbose cannot go together";
  }
  if (!error.empty()) {
    err << "stamp-host demo: " << error << "\nusage: stamp-host " << kDemoUsage << "\n";
    return kExitUsage;
  }
  const bool quiet = line->flag("--quiet");
  const bool verbose = line->flag("--verbose");
  const fs::path outFolder = line->path("--out").value_or("stamp-out");
  std::error_code made;
  fs::create_directories(outFolder, made);
  const std::optional<fs::path> callLog =
      verbose ? std::nullopt : std::optional(outFolder / kCallLogFile);
  std::ofstream callFile;
  if (callLog) callFile.open(*callLog, std::ios::trunc);
  HostLog log(out, err, verbose ? &out : &callFile);
  if (callLog && !callFile) {
    log.Error("cannot write " + platform::PathToUtf8(*callLog) +
              (made ? ": " + made.message() : ""));
    return kExitFailure;
  }
  const fs::path hostFolder = ProgramFolder();
  const Result<DemoScene> found = DemoSceneIn(hostFolder);
  if (!found.ok()) {
    log.Error(found.error());
    return kExitFailure;
  }
  const DemoScene& scene = *found;
  const Result<Script> script = ParseScript(scene.text, "demo");
  if (!script.ok()) {
    log.Error(script.error());
    return kExitFailure;
  }
  const DemoProfile profile;
  SessionSteps steps;
  const bool dumps = line->flag("--dumps");
  std::string report;
  steps.afterScript = [&](Session& session) -> Status {
    STAMP_TRY(WritePictures(session, outFolder, dumps));
    report = Report(scene, *script, session.record(), outFolder, dumps, callLog);
    return Status();
  };
  const int code = RunScriptSession(*script, {kDemoWidth, kDemoHeight, profile.path(), hostFolder},
                                    {outFolder, fs::current_path()}, log, steps);
  if (!quiet) out << report;
  return code;
}

}  // namespace stamp::host
