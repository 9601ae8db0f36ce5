#include "host/document/gui_command_line.h"

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/record/canvas_size.h"
#include "host/record/host_directory.h"

namespace stamp::document {
namespace {

constexpr std::string_view kAbout =
    "Opens the stamp tool in a window: the canvas, the tool's panel, a layer chooser and zoom.\n"
    "Choose a stamp sheet with the panel's File button, pick a cell, set the size and the angle,\n"
    "and press the pen on the canvas. Help > Help in the window says more.\n\n";
constexpr std::string_view kRecordHelp =
    "  --record SCRIPT write the drawing's steps into SCRIPT as a \"stamp-host run\" script,\n"
    "                  from a white canvas (File > Record steps does the same)\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "stamp-host gui: " << problem << "\nusage: stamp-host " << kGuiUsage << "\n";
  return host::kExitUsage;
}

int Failed(std::ostream& err, const std::string& why) {
  err << "stamp-host gui: " << why << "\n";
  return host::kExitFailure;
}

host::Result<host::CommandLine> Parse(std::span<const std::string_view> args) {
#ifdef _WIN32
  return host::ParseCommandLine(args, {"--profile", "--canvas", "--record", "--dumps"}, {});
#else
  return host::ParseCommandLine(args, {"--profile", "--canvas", "--record"}, {});
#endif
}

}  // namespace

std::variant<int, GuiRun> ReadGuiCommandLine(std::span<const std::string_view> args,
                                             const GuiHelp& help, std::ostream& out,
                                             std::ostream& err) {
  const host::Result<host::CommandLine> line = Parse(args);
  if (!line.ok()) return Usage(err, line.error());
  if (line->help) {
    out << "usage: stamp-host " << kGuiUsage << "\n\n"
        << kAbout << help.beforeCanvas << host::CanvasOptionHelp() << kRecordHelp
        << help.afterCanvas;
    return host::kExitOk;
  }
  if (line->positional.size() > 1) return Usage(err, "unexpected " + line->positional[1]);
  GuiRun run;
  run.record = line->path("--record");
  if (!line->positional.empty()) {
    if (run.record) return Usage(err, "--record starts from a white canvas: it opens no FILE");
    run.file = line->positional.front();
  }
  const auto size =
      host::ParseCanvasSize(line->value("--canvas").value_or(host::DefaultCanvasSize()));
  if (!size) return Usage(err, "--canvas takes WIDTHxHEIGHT, such as " + host::DefaultCanvasSize());
  if (const host::Status fits = host::CheckCanvasSize(size->first, size->second); !fits.ok()) {
    return Failed(err, fits.error());
  }
  const auto profile = line->path("--profile") ? line->path("--profile") : host::DefaultProfile();
  if (!profile) return Failed(err, host::kNoDefaultProfile);
  run.options = {static_cast<int32_t>(size->first), static_cast<int32_t>(size->second), *profile,
                 host::ProgramFolder()};
  run.dumps = line->path("--dumps");
  return run;
}

}  // namespace stamp::document
