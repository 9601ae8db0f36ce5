// Running the built stamp-host as a program in a fresh folder of its own, and reading back the
// pictures it writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/raster.h"
#include "support/test_files.h"

namespace stamp::test {

namespace fs = std::filesystem;

struct HostRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The picture in a file; an empty raster when the file cannot be read.
Raster ReadBmp(const fs::path& path);
Raster ReadPng(const fs::path& path);

// A test with a fresh folder (removed afterwards) in which stamp-host runs.
class HostProcessTest : public testing::Test {
 protected:
  // Runs a stamp-host (by default the built one) with the arguments, in folder_.
  HostRun Host(const std::vector<std::string>& args, const fs::path& program = kBuiltHost) const;
  // Copies the built host's folder (the program, the platform library, plugin/ and stamp/) to
  // folder, so a test can change its contents; gives the copied program.
  fs::path CopyHostFolder(const fs::path& folder) const;

  static const fs::path kBuiltHost;
  const TempFolder scratch_;
  const fs::path folder_ = scratch_.path();
};

}  // namespace stamp::test
