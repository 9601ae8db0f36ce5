#include "host/win32_window/gui_command.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/session_exit.h"
#include "host/document/gui_command_line.h"
#include "host/output/snapshot.h"
#include "host/win32_window/stamp_frame.h"
#include "host/win32_window/wide_text.h"
#include "platform/portable/text_encoding.h"

namespace stamp::gui {
namespace {

constexpr document::GuiHelp kHelp = {
    "  --profile FILE  the application profile (default: %APPDATA%\\stamp-host\\profile.ini)\n",
    "  --dumps DIR     when the window closes, write every buffer as DIR/window-NAME.bmp\n"
    "  FILE            a drawing (.ora) to open, or a picture to put into layer 0\n"};
// The name the dumps carry, as a script's "save NAME" gives it.
constexpr std::string_view kDumpName = "window";
constexpr char kWindowSettingsFile[] = "window.ini";

// Started from Explorer, the program has a console of its own, which would stay empty beside the
// window: it is let go. Started from a console, or with its output going to files or pipes, the
// console stays, since what the command writes there is read. Whether it was let go.
bool LeaveOwnConsole() {
  DWORD processes[2];
  DWORD mode = 0;
  return GetConsoleProcessList(processes, 2) == 1 &&
         GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) && FreeConsole();
}

// Runs the window until it is closed; a file given opens once the window shows (and has offered
// to recover what a window that ended without closing left).
int RunWindow(const document::GuiRun& run, std::ostream& err) {
  std::optional<std::filesystem::path> settings = host::DefaultProfile();
  if (settings) settings->replace_filename(kWindowSettingsFile);
  try {
    window::StampFrame frame(run.options, settings);
    if (run.record) frame.StartRecording(*run.record);
    if (run.file) frame.OpenFile(platform::PathFromUtf8(*run.file));
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
  const std::variant<int, document::GuiRun> read =
      document::ReadGuiCommandLine(args, kHelp, out, err);
  if (const int* code = std::get_if<int>(&read)) return *code;
  if (!LeaveOwnConsole()) return RunWindow(std::get<document::GuiRun>(read), err);
  // With no console left, what the command would write there is shown in a message box.
  std::ostringstream lost;
  const int code = RunWindow(std::get<document::GuiRun>(read), lost);
  if (!lost.str().empty()) {
    MessageBoxW(nullptr, window::WideText(lost.str()).c_str(), L"Stamp", MB_OK | MB_ICONERROR);
  }
  return code;
}

}  // namespace stamp::gui
