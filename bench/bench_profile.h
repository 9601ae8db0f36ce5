// A profile file for benchmarks that start the tool as a user would have left it: a sample sheet
// chosen, an angle of 30 degrees and a given size. The file lives in the temporary folder and is
// removed with the object.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace stamp::bench {

// The host's folder of this build: stamp-host, plugin/ and stamp/.
std::filesystem::path HostFolder();

class SheetProfile {
 public:
  static constexpr int32_t kFullSize = 30;

  explicit SheetProfile(int32_t size = kFullSize);
  ~SheetProfile();
  SheetProfile(const SheetProfile&) = delete;
  SheetProfile& operator=(const SheetProfile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace stamp::bench
