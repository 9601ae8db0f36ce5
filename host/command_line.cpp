#include "host/command_line.h"

#include <algorithm>

namespace stamp::host {
namespace {

bool Contains(std::initializer_list<std::string_view> list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

std::optional<std::string> CommandLine::value(std::string_view option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::optional<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                            std::initializer_list<std::string_view> valueOptions,
                                            std::initializer_list<std::string_view> flagOptions,
                                            std::string& error) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view word = args[i];
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (Contains(valueOptions, word)) {
      if (i + 1 >= args.size()) {
        error = std::string(word) + " needs a value";
        return std::nullopt;
      }
      if (!line.values.emplace(word, args[++i]).second) {
        error = std::string(word) + " given twice";
        return std::nullopt;
      }
    } else if (Contains(flagOptions, word)) {
      line.flags.emplace(word);
    } else if (word.starts_with("-") && word.size() > 1) {
      error = "unknown option " + std::string(word);
      return std::nullopt;
    } else {
      line.positional.emplace_back(word);
    }
  }
  return line;
}

}  // namespace stamp::host
