#include "host/win32_window/gui_command.h"

#include <exception>
#include <optional>
#include <string>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/output/snapshot.h"
#include "host/record/canvas_size.h"
#include "host/record/host_directory.h"
#include "host/win32_window/stamp_frame.h"
#include "platform/portable/text_encoding.h"

namespace stamp::gui {
namespace {

constexpr std::string_view kGuiHelp =
    "Opens the stamp tool in a window: the canvas, the tool's panel, a layer chooser and zoom.\n"
    "Choose a stamp sheet with the panel's File button, pick a cell, set the size and the angle,\n"
    "and press the mouse on the canvas. Help > Help in the window says more.\n\n"
    "  --profile FILE  the application profile (default: %APPDATA%\\stamp-host\\profile.ini)\n";
constexpr std::string_view kGuiHelpAfterCanvas =
    "  --dumps DIR     when the window closes, write every buffer as DIR/window-NAME.bmp\n"
    "  FILE            a drawing (.ora) to open, or a picture to put into layer 0\n";
// The name the dumps carry, as a script's "save NAME" gives it.
constexpr std::string_view kDumpName = "window";
constexpr char kWindowSettingsFile[] = "window.ini";

int Usage(std::ostream& err, const std::string& problem) {
  err << "stamp-host gui: " << problem << "\nusage: stamp-host " << kGuiUsage << "\n";
  return host::kExitUsage;
}

struct WindowRun {
  host::SessionOptions options;
  std::optional<std::filesystem::path> file;
  std::optional<std::filesystem::path> dumps;
};

// Runs the window until it is closed; a file given opens once the window shows (and has offered
// to recover what a window that ended without closing left).
int RunWindow(const WindowRun& run, std::ostream& err) {
  std::optional<std::filesystem::path> settings = host::DefaultProfile();
  if (settings) settings->replace_filename(kWindowSettingsFile);
  try {
    window::StampFrame frame(run.options, settings);
    if (run.file) frame.OpenFile(*run.file);
    frame.RunMessageLoop();
    host::Session& session = frame.document().session();
    if (run.dumps) {
      std::filesystem::create_directories(*run.dumps);
      const host::Status saved =
          host::SaveSnapshot(session.record(), session.compositor(), *run.dumps, kDumpName);
      if (!saved.ok()) {
        err << "stamp-host gui: " << saved.error() << "\n";
        return host::kExitFailure;
      }
    }
    return host::ExitAfterClose(host::kExitOk, frame.document().session().Close());
  } catch (const std::exception& failure) {
    err << "stamp-host gui: " << failure.what() << "\n";
    return host::kExitFailure;
  }
}

}  // namespace

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  const host::Result<host::CommandLine> line =
      host::ParseCommandLine(args, {"--profile", "--canvas", "--dumps"}, {});
  if (!line.ok()) return Usage(err, line.error());
  if (line->help) {
    out << "usage: stamp-host " << kGuiUsage << "\n\n"
        << kGuiHelp << host::CanvasOptionHelp() << kGuiHelpAfterCanvas;
    return host::kExitOk;
  }
  if (line->positional.size() > 1) return Usage(err, "unexpected " + line->positional[1]);
  const auto size =
      host::ParseCanvasSize(line->value("--canvas").value_or(host::DefaultCanvasSize()));
  if (!size) return Usage(err, "--canvas takes WIDTHxHEIGHT, such as " + host::DefaultCanvasSize());
  if (const host::Status fits = host::CheckCanvasSize(size->first, size->second); !fits.ok()) {
    err << "stamp-host gui: " << fits.error() << "\n";
    return host::kExitFailure;
  }
  const auto profile = line->path("--profile") ? line->path("--profile") : host::DefaultProfile();
  if (!profile) {
    err << "stamp-host gui: " << host::kNoDefaultProfile << "\n";
    return host::kExitFailure;
  }
  WindowRun run;
  run.options = {static_cast<int32_t>(size->first), static_cast<int32_t>(size->second), *profile,
                 host::ProgramFolder()};
  run.dumps = line->path("--dumps");
  if (!line->positional.empty()) run.file = platform::PathFromUtf8(line->positional.front());
  return RunWindow(run, err);
}

}  // namespace stamp::gui
