// Running the built stamp-host as a program in a fresh folder of its own, and reading back the
// pictures it writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace stamp::test {

namespace fs = std::filesystem;

struct HostRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// A picture read from a file: top row first, 3 bytes per pixel in the order blue, green, red.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgr;

  const uint8_t* at(int32_t x, int32_t y) const {
    return &bgr[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
  }
  bool operator==(const Picture&) const = default;
};

Picture ReadBmp(const fs::path& path);
Picture ReadPng(const fs::path& path);
std::string ReadText(const fs::path& path);
void WriteText(const fs::path& path, const std::string& text);

// A test with a fresh folder (removed afterwards) in which stamp-host runs.
class HostProcessTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a stamp-host (by default the built one) with the arguments, in folder_.
  HostRun Host(const std::vector<std::string>& args, const fs::path& program = kBuiltHost) const;
  // Copies the built host's folder (the program, the platform library, plugin/ and stamp/) to
  // folder, so a test can change its contents; gives the copied program.
  fs::path CopyHostFolder(const fs::path& folder) const;

  static const fs::path kBuiltHost;
  fs::path folder_;
};

}  // namespace stamp::test
