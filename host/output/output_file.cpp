#include "host/output/output_file.h"

#include <unistd.h>

namespace stamp::host {

std::string WriteAtomically(const std::filesystem::path& path,
                            const std::function<std::string(const std::filesystem::path&)>& write) {
  std::filesystem::path temporary = path;
  temporary += ".partial-" + std::to_string(getpid());
  std::string error = write(temporary);
  std::error_code code;
  if (error.empty()) {
    std::filesystem::rename(temporary, path, code);
    if (code) error = "cannot write " + path.string() + ": " + code.message();
  }
  if (!error.empty()) std::filesystem::remove(temporary, code);
  return error;
}

}  // namespace stamp::host
