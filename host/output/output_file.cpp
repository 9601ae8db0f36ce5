#include "host/output/output_file.h"

#include <unistd.h>

#include <fstream>

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

std::string WriteBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  return file ? std::string() : "cannot write " + path.string();
}

}  // namespace stamp::host
