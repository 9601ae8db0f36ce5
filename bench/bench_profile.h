// A profile file for benchmarks that start the tool as a user would have left it: a sample sheet
// chosen, an angle of 30 degrees and a given size. The file lives in the temporary folder and is
// removed with the object.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "stamp/plugin.h"

namespace stamp::bench {

// The host's folder of this build: stamp-host, plugin/ and stamp/.
std::filesystem::path HostFolder();

class SheetProfile {
 public:
  explicit SheetProfile(int32_t size = STAMP_DEFAULT_REDUCTION);
  ~SheetProfile();
  SheetProfile(const SheetProfile&) = delete;
  SheetProfile& operator=(const SheetProfile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace stamp::bench
