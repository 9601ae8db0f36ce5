// The options of a stamp-host command: "--name VALUE" options, "--flag" options, "--help", and
// positional words. Each option may be given once. The words are UTF-8 on every system.
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

#include "host/result.h"

namespace stamp::host {

struct CommandLine {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  bool help = false;

  std::optional<std::string> value(std::string_view option) const;
  // The option's value as a path; nullopt when it was not given.
  std::optional<std::filesystem::path> path(std::string_view option) const;
  bool flag(std::string_view option) const { return flags.contains(option); }
};

// The words after the program's name, as UTF-8: on Linux argv as it is; on Windows the UTF-16
// command line converted, since argv there holds it in the ANSI code page, which loses every
// letter outside it (program_words_posix.cpp, _win32.cpp). Throws when the system gives none.
std::vector<std::string> ProgramWords(int argc, char** argv);

// Refuses, saying why, an unknown option, an option without its value (or with an empty one) or
// given twice.
Result<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                     std::initializer_list<std::string_view> valueOptions,
                                     std::initializer_list<std::string_view> flagOptions);

// "--canvas WxH" as two numbers; nullopt when the text is not of that form. A number too large
// for 64 bits saturates, so that it is refused as too large.
std::optional<std::pair<int64_t, int64_t>> ParseCanvasSize(std::string_view text);
// The canvas a host makes without "--canvas", as that option takes it (WIDTHxHEIGHT); and the
// option's line in a command's help.
std::string DefaultCanvasSize();
std::string CanvasOptionHelp();

// The profile a command uses without --profile; nullopt when the system names no place for it.
// On Linux HostUserFolder(kConfig)/profile.ini; on Windows %APPDATA%\stamp-host\profile.ini
// (default_profile_posix.cpp, _win32.cpp).
std::optional<std::filesystem::path> DefaultProfile();
// Why DefaultProfile gave none, as the commands say it: the system's variables that name no place.
extern const char kNoDefaultProfile[];

// Whether name is UTF-8 throughout, as a name that passes through Qt must be.
bool IsUtf8Name(std::string_view name);
// name as a message shows it: as it is when UTF-8 without control characters, else with every
// byte outside printable ASCII written \xHH.
std::string ShownName(std::string_view name);

// The kinds of the user's folders the desktop's conventions name (on Linux).
enum class UserFolder { kConfig, kData, kState };

// The host's folder of the kind, the one lookup every Linux part uses: stamp-host/ in
// $XDG_CONFIG_HOME, $XDG_DATA_HOME or $XDG_STATE_HOME when that is an absolute path (a relative
// one is ignored, as the desktop's rules ask), else in ~/.config, ~/.local/share or
// ~/.local/state. nullopt when neither is set.
std::optional<std::filesystem::path> HostUserFolder(UserFolder kind);
// The user's own stamp sheets (host/sheets/user_sheets.h): on Linux HostUserFolder(kData)/stamp,
// on Windows %APPDATA%\stamp-host\stamp; nullopt when the system names no place for them.
std::optional<std::filesystem::path> UserSheetFolder();

}  // namespace stamp::host
