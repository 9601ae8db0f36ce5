// stamp-host, the reference host. Each command is one row of the table below.
#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/commands/command_line.h"
#include "host/commands/demo_command.h"
#include "host/commands/exit_codes.h"
#include "host/commands/run_command.h"
#include "host/commands/sheet_command.h"
#include "host/commands/version_command.h"
#if defined(STAMP_HOST_GUI) && defined(_WIN32)
#include "host/win32_window/gui_command.h"
#elif defined(STAMP_HOST_GUI)
#include "host/gui/app/gui_command.h"
#endif

namespace stamp::host {
namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  int (*run)(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
};

constexpr Command kCommands[] = {
    {"run", kRunUsage, RunRunCommand},
    {"demo", kDemoUsage, RunDemoCommand},
    {"sheet", kSheetUsage, RunSheetCommand},
#ifdef STAMP_HOST_GUI
    {"gui", gui::kGuiUsage, gui::RunGuiCommand},
#endif
};

void PrintUsage(std::ostream& out) {
  out << "usage: stamp-host COMMAND ...\n";
  for (const Command& command : kCommands) out << "  stamp-host " << command.usage << "\n";
  out << "  stamp-host --help | --version\n"
      << "Each command takes --help. Exit codes: 0 done, 1 failed, 2 usage or script error,\n"
      << "3 an expect line of a script did not hold, 4 the settings could not be saved.\n";
}

int Dispatch(std::span<const std::string_view> words) {
  if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
    PrintUsage(std::cout);
    return kExitOk;
  }
  if (!words.empty() && words[0] == "--version") return RunVersionCommand(std::cout, std::cerr);
  for (const Command& command : kCommands) {
    if (!words.empty() && words[0] == command.name) {
      return command.run(words.subspan(1), std::cout, std::cerr);
    }
  }
  if (!words.empty()) std::cerr << "stamp-host: unknown command " << words[0] << "\n";
  PrintUsage(std::cerr);
  return kExitUsage;
}

}  // namespace
}  // namespace stamp::host

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> words = stamp::host::ProgramWords(argc, argv);
    return stamp::host::Dispatch(std::vector<std::string_view>(words.begin(), words.end()));
  } catch (const std::exception& failure) {
    std::cerr << "stamp-host: " << failure.what() << "\n";
    return stamp::host::kExitFailure;
  }
}
