// The options of a stamp-host command: "--name VALUE" options, "--flag" options, "--help", and
// positional words. Each option may be given once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stamp::host {

struct CommandLine {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  bool help = false;

  std::optional<std::string> value(std::string_view option) const;
  bool flag(std::string_view option) const { return flags.contains(option); }
};

// nullopt with error set for an unknown option, an option without its value (or with an empty
// one) or given twice.
std::optional<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                            std::initializer_list<std::string_view> valueOptions,
                                            std::initializer_list<std::string_view> flagOptions,
                                            std::string& error);

// "--canvas WxH" as two numbers; nullopt when the text is not of that form. A number too large
// for 64 bits saturates, so that it is refused as too large.
std::optional<std::pair<int64_t, int64_t>> ParseCanvasSize(std::string_view text);
// The canvas a host makes without "--canvas", as that option takes it (WIDTHxHEIGHT); and the
// option's line in a command's help.
std::string DefaultCanvasSize();
std::string CanvasOptionHelp();

// The profile a command uses without --profile; nullopt when the system names no place for it.
// On Linux $XDG_CONFIG_HOME/stamp-host/profile.ini, else ~/.config/stamp-host/profile.ini; on
// Windows %APPDATA%\stamp-host\profile.ini (default_profile_posix.cpp, _win32.cpp).
std::optional<std::filesystem::path> DefaultProfile();

}  // namespace stamp::host
