// A complete host record for tests: every buffer the record names is allocated below 4 GiB with
// guard zones before and after it, and HostTest checks at the end of each test that no guard
// byte changed. Canvas-sized buffers start white; the panel raster starts black.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stamp/host_record.h"
#include "stamp/platform.h"

namespace stamp::test {

// One block of low memory with guard zones around the usable bytes.
class GuardedBuffer {
 public:
  GuardedBuffer() = default;
  explicit GuardedBuffer(size_t bytes, uint8_t fill = 0);
  GuardedBuffer(GuardedBuffer&& other) noexcept;
  GuardedBuffer& operator=(GuardedBuffer&& other) noexcept;
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  ~GuardedBuffer();

  uint8_t* data() const { return data_; }
  size_t size() const { return bytes_; }
  // The 32-bit value a record field holds for this buffer.
  uint32_t address32() const;
  bool guardsIntact() const;

 private:
  uint8_t* block_ = nullptr;
  uint8_t* data_ = nullptr;
  size_t bytes_ = 0;
};

class TestHost {
 public:
  // A record for a canvas of the given size, hostDirectory (folder path in '/' form, may be
  // empty) and a profile file (UTF-8 path; empty: a fresh temporary file).
  TestHost(int32_t canvasWidth = 480, int32_t canvasHeight = 640,
           const std::filesystem::path& hostDirectory = {},
           const std::filesystem::path& profile = {});
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  uint8_t* record() const { return record_.data(); }
  int32_t getInt(uint32_t offset) const;
  void setInt(uint32_t offset, int32_t value);
  // The buffer named by a pointer field of the record (STAMP_REC_*_BUFFER and friends).
  uint8_t* buffer(uint32_t offset) const;
  int32_t canvasWidth() const { return canvasWidth_; }
  int32_t canvasHeight() const { return canvasHeight_; }
  size_t canvasBytes() const;
  PlatApp* app() const { return app_; }
  const std::filesystem::path& profilePath() const { return profilePath_; }
  PlatHandle mainWindow() const { return mainWindow_; }
  PlatHandle frameWindowHandle() const { return frameWindow_; }
  // Writes hostDirectory in the record: the folder in backslash form, ending in a backslash.
  void setHostDirectory(const std::filesystem::path& folder);
  bool guardsIntact() const;

 private:
  void AllocateBuffers();
  void CreateContexts();
  void SetPointer(uint32_t offset, const GuardedBuffer& buffer);

  int32_t canvasWidth_;
  int32_t canvasHeight_;
  std::filesystem::path profilePath_;
  bool ownsProfile_ = false;
  GuardedBuffer record_;
  GuardedBuffer frameObject_;
  std::vector<std::pair<uint32_t, GuardedBuffer>> buffers_;
  PlatApp* app_ = nullptr;
  PlatHandle mainWindow_ = 0;
  PlatHandle frameWindow_ = 0;
  PlatHandle panelBitmap_ = 0;
  PlatHandle panelDC_ = 0;
  PlatHandle panelPrevious_ = 0;
  PlatHandle canvasBitmap_ = 0;
  PlatHandle canvasDC_ = 0;
  PlatHandle canvasPrevious_ = 0;
};

// The folder of sample assets and fixtures laid out by the build (the host's folder).
std::filesystem::path HostFolder();
std::filesystem::path FixtureFolder();
// A file-system path in the platform's backslash form, as the plug-in stores paths.
std::u16string WindowsPath(const std::filesystem::path& path);

// A gtest fixture with a TestHost that checks the guard zones after every test.
class HostTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(host.guardsIntact()) << "a guard zone changed"; }
  TestHost host;
};

}  // namespace stamp::test
