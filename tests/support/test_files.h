// Files for tests: a fresh temporary folder, removed with everything in it when the object goes,
// and whole files read and written in one call.
#pragma once

#ifdef _WIN32
#include <process.h>
#else
#include <stdlib.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::test {

class TempFolder {
 public:
#ifdef _WIN32
  // Windows has no mkdtemp: names of this process are tried until one is new.
  TempFolder() {
    static int made = 0;
    const std::string prefix = "stamp-test-" + std::to_string(::_getpid()) + "-";
    do path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(made++));
    while (!std::filesystem::create_directory(path_));
  }
#else
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stamp-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
  }
#endif
  // A test may have taken the owner's rights away to make writes fail; they come back first.
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  const std::string bytes = ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace stamp::test
