// The names Windows cannot keep a sheet under. The user's sheet folder itself is
// %APPDATA%\stamp-host\stamp (UserSheetFolder in host/commands/command_line.h); the tool keeps
// listing the host's own stamp\ folder, and a sheet of the user's is loaded by its typed path,
// which the tool remembers in its profile.
#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "host/sheets/user_sheets.h"

namespace stamp::host {
namespace {

constexpr std::string_view kReservedCharacters = "<>:\"|?*";
constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
constexpr std::array<std::string_view, 2> kNumberedDevices = {"COM", "LPT"};

// The part of a file name before its first dot, in capitals: what the system matches its device
// names against.
std::string Stem(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  return stem;
}

bool IsDeviceName(const std::string& name) {
  const std::string stem = Stem(name);
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  return stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
         std::find(kNumberedDevices.begin(), kNumberedDevices.end(),
                   std::string_view(stem).substr(0, 3)) != kNumberedDevices.end();
}

}  // namespace

std::string SystemFileNameRefusal(const std::string& name) {
  if (name.find_first_of(kReservedCharacters) != std::string::npos) {
    return "a sheet's name cannot hold any of < > : \" | ? *";
  }
  if (IsDeviceName(name)) return "a sheet cannot be called " + Stem(name) + ", a device's name";
  return {};
}

}  // namespace stamp::host
