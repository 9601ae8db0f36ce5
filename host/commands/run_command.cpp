#include "host/commands/run_command.h"

#include <cstdint>
#include <optional>
#include <string>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/script_session.h"
#include "host/record/canvas_size.h"
#include "host/record/host_directory.h"
#include "host/script/script_parser.h"
#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::host {
namespace {

constexpr std::string_view kRunHelp =
    "Runs SCRIPT: each line drives one export of the plug-in in the host's folder, sets a field\n"
    "of the record, queues an answer for the load dialog, checks a result or saves pictures.\n"
    "Every export call is printed as \"plg_NAME(ARGS) -> RESULT\", every message box as\n"
    "\"message: TEXT\".\n\n"
    "  --out DIR       where save writes (default: the current folder)\n"
    "  --profile FILE  the application profile (default:\n"
    "                  $XDG_CONFIG_HOME/stamp-host/profile.ini or "
    "~/.config/stamp-host/profile.ini)\n";
// What follows the canvas option's line (CanvasOptionHelp, which names the default).
constexpr std::string_view kRunHelpAfterCanvas =
    "  --quiet         print only message boxes and errors\n\n"
    "Script lines: # begins a comment; numbers are decimal and may be negative; a relative\n"
    "PATH is taken from the script's folder; a result of 2 redraws the panel.\n";

// Far above any script a person writes; keeps a wrong path from filling memory.
constexpr uint64_t kMaxScriptBytes = uint64_t{64} << 20;

int Usage(std::ostream& err, const std::string& problem) {
  err << "stamp-host run: " << problem << "\nusage: stamp-host " << kRunUsage << "\n";
  return kExitUsage;
}

}  // namespace

int RunRunCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  const Result<CommandLine> line =
      ParseCommandLine(args, {"--out", "--profile", "--canvas"}, {"--quiet"});
  if (!line.ok()) return Usage(err, line.error());
  if (line->help) {
    out << "usage: stamp-host " << kRunUsage << "\n\n"
        << kRunHelp << CanvasOptionHelp() << kRunHelpAfterCanvas << ScriptLanguageHelp();
    return kExitOk;
  }
  if (line->positional.size() != 1) return Usage(err, "give one SCRIPT");
  const std::string& scriptName = line->positional[0];
  const auto size = ParseCanvasSize(line->value("--canvas").value_or(DefaultCanvasSize()));
  if (!size) return Usage(err, "--canvas takes WIDTHxHEIGHT, such as " + DefaultCanvasSize());

  HostLog log(out, err, line->flag("--quiet"));
  // Only a regular file: a FIFO would block, a device or folder is no script.
  std::string why;
  const std::optional<std::string> text =
      platform::ReadRegularFile(scriptName, kMaxScriptBytes, &why);
  if (!text) {
    log.Error("script: " + why);
    return kExitFailure;
  }
  const Result<Script> script = ParseScript(*text, scriptName);
  if (!script.ok()) {
    log.Error(script.error());
    return kExitUsage;
  }
  if (const Status fits = CheckCanvasSize(size->first, size->second); !fits.ok()) {
    log.Error(fits.error());
    return kExitFailure;
  }
  std::optional<std::filesystem::path> profile = line->path("--profile");
  if (!profile) profile = DefaultProfile();
  if (!profile) {
    log.Error(kNoDefaultProfile);
    return kExitFailure;
  }
  const SessionOptions options{static_cast<int32_t>(size->first),
                               static_cast<int32_t>(size->second), *profile, ProgramFolder()};
  const ScriptPlaces places{line->path("--out").value_or("."),
                            platform::PathFromUtf8(scriptName).parent_path()};
  return RunScriptSession(*script, options, places, log);
}

}  // namespace stamp::host
