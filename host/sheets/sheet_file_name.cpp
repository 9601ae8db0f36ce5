// A sheet's file name from the name the user gives it, by the rules of both systems and then by
// the running system's own.
#include <algorithm>
#include <cctype>

#include "host/sheets/user_sheets.h"

namespace stamp::host {

bool IsSheetName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.ends_with(kSheetExtension);
}

Result<std::string> SheetFileName(const std::string& name) {
  const bool control = std::any_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (name.empty()) return Failure{"the sheet has no name"};
  if (name.front() == '.') return Failure{"a sheet's name cannot begin with a dot"};
  if (control || name.find_first_of("/\\") != std::string::npos) {
    return Failure{"a sheet's name cannot hold a slash, a backslash or a control character"};
  }
  const std::string file = IsSheetName(name) ? name : name + kSheetExtension;
  if (const std::string refused = SystemFileNameRefusal(file); !refused.empty()) {
    return Failure{refused};
  }
  return file;
}

}  // namespace stamp::host
