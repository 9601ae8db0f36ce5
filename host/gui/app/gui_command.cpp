#include "host/gui/app/gui_command.h"

#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <variant>

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/document/gui_command_line.h"
#include "host/gui/app/quit_signals.h"
#include "host/gui/window/stamp_window.h"
#include "host/record/canvas_size.h"
#include "host/record/host_directory.h"
#include "host/sheets/user_sheets.h"

namespace stamp::gui {
namespace {

constexpr document::GuiHelp kHelp = {
    "  --profile FILE  the application profile (default:\n"
    "                  $XDG_CONFIG_HOME/stamp-host/profile.ini or "
    "~/.config/stamp-host/profile.ini)\n",
    "  FILE            a drawing (.ora) to open, or a picture (PNG, JPEG, BMP) for layer 0\n\n"
    "Needs a display (DISPLAY or WAYLAND_DISPLAY), or QT_QPA_PLATFORM=offscreen.\n"};

bool HaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return true;
  }
  return false;
}

// Runs the window until it is closed; a file given opens once the window shows, and one that
// cannot be opened leaves the window empty with the message why.
int RunWindow(const document::GuiRun& run, std::ostream& err) {
  const host::SessionOptions& options = run.options;
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
    if (run.record) window.StartRecording(*run.record);
    if (run.file) {
      const QString file = QString::fromStdString(*run.file);
      QTimer::singleShot(0, &window, [&window, file] { window.OpenFile(file); });
    }
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
  const std::variant<int, document::GuiRun> read =
      document::ReadGuiCommandLine(args, kHelp, out, err);
  if (const int* code = std::get_if<int>(&read)) return *code;
  const document::GuiRun& run = std::get<document::GuiRun>(read);
  // The window's file names are Qt's strings, which hold UTF-8 names only: another name would
  // come back as a different one, or none.
  if (run.file && !host::IsUtf8Name(*run.file)) {
    err << "stamp-host gui: cannot open " << host::ShownName(*run.file)
        << ": the window opens only files whose names are UTF-8; rename it\n";
    return host::kExitFailure;
  }
  if (!HaveDisplay()) {
    err << "stamp-host gui: no display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM\n";
    return host::kExitFailure;
  }
  return RunWindow(run, err);
}

}  // namespace stamp::gui
