#include "host/commands/command_line.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/portable/text_encoding.h"

#include "platform/portable/text_encoding.h"

#include "host/record/canvas_size.h"

namespace stamp::host {
namespace {

bool Contains(std::initializer_list<std::string_view> list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// A decimal count; one too large for 64 bits saturates.
std::optional<int64_t> ParseCount(std::string_view text) {
  int64_t value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || end != text.data() + text.size()) return std::nullopt;
  if (status == std::errc::result_out_of_range) return INT64_MAX;
  return status == std::errc() ? std::optional(value) : std::nullopt;
}

}  // namespace

std::optional<std::string> CommandLine::value(std::string_view option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::optional<std::filesystem::path> CommandLine::path(std::string_view option) const {
  const std::optional<std::string> text = value(option);
  if (!text) return std::nullopt;
  return platform::PathFromUtf8(*text);
}

Result<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                     std::initializer_list<std::string_view> valueOptions,
                                     std::initializer_list<std::string_view> flagOptions) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view word = args[i];
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (Contains(valueOptions, word)) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        return Failure{std::string(word) + " needs a value"};
      }
      if (!line.values.emplace(word, args[++i]).second) {
        return Failure{std::string(word) + " given twice"};
      }
    } else if (Contains(flagOptions, word)) {
      line.flags.emplace(word);
    } else if (word.starts_with("-") && word.size() > 1) {
      return Failure{"unknown option " + std::string(word)};
    } else {
      line.positional.emplace_back(word);
    }
  }
  return line;
}

bool IsUtf8Name(std::string_view name) {
  return platform::ToUtf8(platform::FromUtf8(name)) == name;
}

std::string ShownName(std::string_view name) {
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kDelete = 0x7F;
  const bool plain = IsUtf8Name(name) && std::none_of(name.begin(), name.end(), [](char c) {
                       return static_cast<unsigned char>(c) < kFirstPrintable || c == kDelete;
                     });
  if (plain) return std::string(name);
  std::string shown;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= kFirstPrintable && byte < kDelete) {
      shown += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown += escaped;
    }
  }
  return shown;
}

std::optional<std::pair<int64_t, int64_t>> ParseCanvasSize(std::string_view text) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int64_t> width = ParseCount(text.substr(0, x));
  const std::optional<int64_t> height = ParseCount(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return std::pair(*width, *height);
}

std::string DefaultCanvasSize() {
  return std::to_string(kDefaultCanvasWidth) + "x" + std::to_string(kDefaultCanvasHeight);
}

std::string CanvasOptionHelp() {
  return "  --canvas WxH    canvas size in pixels (default " + DefaultCanvasSize() + ")\n";
}

}  // namespace stamp::host
