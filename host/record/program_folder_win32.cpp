// The running program's folder on Windows: the module file name of the program itself.
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "host/record/host_directory.h"

namespace stamp::host {

// GetModuleFileNameW cuts a long path to the room given and then fills it: the room grows until
// the path fits with room to spare.
std::filesystem::path ProgramFolder() {
  std::vector<wchar_t> name(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) throw std::runtime_error("cannot find the program's folder");
    if (length < name.size() - 1) {
      return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace stamp::host
