#include "host/gui/app/gui_command.h"

#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/gui/app/quit_signals.h"
#include "host/gui/window/stamp_window.h"
#include "host/record/canvas_size.h"
#include "host/record/host_directory.h"
#include "host/sheets/user_sheets.h"

namespace stamp::gui {
namespace {

constexpr std::string_view kGuiHelp =
    "Opens the stamp tool in a window: the canvas, the tool's panel, a layer chooser and zoom.\n"
    "Choose a stamp sheet with the panel's File button, pick a cell, set the size and the angle,\n"
    "and press the pen on the canvas. Help > Help in the window says more.\n\n"
    "  --profile FILE  the application profile (default:\n"
    "                  $XDG_CONFIG_HOME/stamp-host/profile.ini or "
    "~/.config/stamp-host/profile.ini)\n";
// What follows the canvas option's line (CanvasOptionHelp, which names the default).
constexpr std::string_view kGuiHelpAfterCanvas =
    "  FILE            a drawing (.ora) to open, or a picture (PNG, JPEG, BMP) for layer 0\n\n"
    "Needs a display (DISPLAY or WAYLAND_DISPLAY), or QT_QPA_PLATFORM=offscreen.\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "stamp-host gui: " << problem << "\nusage: stamp-host " << kGuiUsage << "\n";
  return host::kExitUsage;
}

bool HaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return true;
  }
  return false;
}

// Runs the window until it is closed; a file given opens once the window shows, and one that
// cannot be opened leaves the window empty with the message why.
int RunWindow(const host::SessionOptions& options, const QString& file, std::ostream& err) {
  int argc = 1;
  char program[] = "stamp-host";
  char* argv[] = {program, nullptr};
  QApplication application(argc, argv);
  // A signal to end, or the desktop session ending, closes the window without asking. The
  // handlers come first: a signal that arrives while the window is built waits for it.
  QuitSignals endSignals;
  // The load dialog lists the user's own sheets beside the samples; without them, the samples.
  const std::string sheets =
      host::ShowUserSheetsToTool(host::UserSheetFolder(), options.hostFolder).error();
  if (!sheets.empty()) err << "stamp-host gui: " << sheets << "\n";
  try {
    StampWindow window(options);
    if (!sheets.empty()) window.statusBar()->showMessage(QString::fromStdString(sheets));
    QObject::connect(&endSignals, &QuitSignals::Received, &window, &StampWindow::EndSession);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     &StampWindow::EndSession);
    endSignals.Listen();
    window.show();
    if (!file.isEmpty()) QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
    // The session is asked for once the loop has ended: the window may have started another.
    const int code = application.exec() == 0 ? host::kExitOk : host::kExitFailure;
    return host::ExitAfterClose(code, window.work().session().Close());
  } catch (const std::exception& failure) {
    err << "stamp-host gui: " << failure.what() << "\n";
    return host::kExitFailure;
  }
}

}  // namespace

int RunGuiCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  const host::Result<host::CommandLine> line =
      host::ParseCommandLine(args, {"--profile", "--canvas"}, {});
  if (!line.ok()) return Usage(err, line.error());
  if (line->help) {
    out << "usage: stamp-host " << kGuiUsage << "\n\n"
        << kGuiHelp << host::CanvasOptionHelp() << kGuiHelpAfterCanvas;
    return host::kExitOk;
  }
  if (line->positional.size() > 1) return Usage(err, "unexpected " + line->positional[1]);
  // The window's file names are Qt's strings, which hold UTF-8 names only: another name would
  // come back as a different one, or none.
  if (!line->positional.empty() && !host::IsUtf8Name(line->positional[0])) {
    err << "stamp-host gui: cannot open " << host::ShownName(line->positional[0])
        << ": the window opens only files whose names are UTF-8; rename it\n";
    return host::kExitFailure;
  }
  const auto size =
      host::ParseCanvasSize(line->value("--canvas").value_or(host::DefaultCanvasSize()));
  if (!size) return Usage(err, "--canvas takes WIDTHxHEIGHT, such as " + host::DefaultCanvasSize());
  if (const host::Status fits = host::CheckCanvasSize(size->first, size->second); !fits.ok()) {
    err << "stamp-host gui: " << fits.error() << "\n";
    return host::kExitFailure;
  }
  const auto profile = line->value("--profile")
                           ? std::optional<std::filesystem::path>(*line->value("--profile"))
                           : host::DefaultProfile();
  if (!profile) {
    err << "stamp-host gui: " << host::kNoDefaultProfile << "\n";
    return host::kExitFailure;
  }
  if (!HaveDisplay()) {
    err << "stamp-host gui: no display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM\n";
    return host::kExitFailure;
  }
  return RunWindow(
      {static_cast<int32_t>(size->first), static_cast<int32_t>(size->second), *profile,
       host::ProgramFolder()},
      line->positional.empty() ? QString() : QString::fromStdString(line->positional.front()), err);
}

}  // namespace stamp::gui
