// The command line on Windows, read as the system keeps it: in UTF-16, split into words by the
// system's own rules for quotes and backslashes, and each word converted to UTF-8.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <memory>
#include <stdexcept>

#include "host/commands/command_line.h"
#include "platform/portable/text_encoding.h"

namespace stamp::host {
namespace {

struct LocalFreer {
  void operator()(LPWSTR* words) const { LocalFree(words); }
};

}  // namespace

std::vector<std::string> ProgramWords(int, char**) {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreer> words(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!words) throw std::runtime_error("cannot read the command line");
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i) {
    result.push_back(platform::ToUtf8(reinterpret_cast<const char16_t*>(words.get()[i])));
  }
  return result;
}

}  // namespace stamp::host
