// The running program's folder on Linux: the link /proc/self/exe names the program.
#include <stdexcept>

#include "host/record/host_directory.h"

namespace stamp::host {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("cannot find the program's folder: " + error.message());
  return program.parent_path();
}

}  // namespace stamp::host
