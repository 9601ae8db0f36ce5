// The command line on Linux: argv holds the words as given, in the system's UTF-8.
#include "host/commands/command_line.h"

namespace stamp::host {

std::vector<std::string> ProgramWords(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace stamp::host
