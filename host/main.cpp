// stamp-host, the reference host. Each command is one row of the table below.
#include <iostream>
#include <span>
#include <string_view>
#include <vector>

#include "host/sheet_command.h"

namespace stamp::host {
namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  int (*run)(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
};

constexpr Command kCommands[] = {
    {"sheet", kSheetUsage, RunSheetCommand},
};

constexpr int kExitUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: stamp-host COMMAND ...\n";
  for (const Command& command : kCommands) out << "  stamp-host " << command.usage << "\n";
  out << "  stamp-host --help\n";
}

int Dispatch(std::span<const std::string_view> words) {
  if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
    PrintUsage(std::cout);
    return 0;
  }
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
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  return stamp::host::Dispatch(words);
}
