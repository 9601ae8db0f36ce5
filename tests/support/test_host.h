// A complete host record for tests: every buffer the record names is allocated below 4 GiB with
// guard zones before and after it, and HostTest checks at the end of each test that no guard
// byte changed. Canvas-sized buffers start white; the panel raster starts black; panelDC keeps
// the platform's default font and colours.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/record/complete_record.h"
#include "host/record/guarded_buffer.h"
#include "stamp/host_record.h"
#include "stamp/platform.h"
#include "support/live_objects.h"

namespace stamp::test {

// One block of low memory with guard zones around the usable bytes.
using GuardedBuffer = host::GuardedBuffer;
using Bytes = std::vector<uint8_t>;
// Message-box texts, in the order shown.
using Texts = std::vector<std::u16string>;

// The record, its buffers and its objects are the host record library's (guard zones around
// every buffer); TestHost adds the test's defaults and a profile file of its own.
class TestHost {
 public:
  // A record for a canvas of the given size, hostDirectory (folder path in '/' form, may be
  // empty: the host's folder of the build) and a profile file (UTF-8 path; empty: a fresh
  // temporary file, removed with the host).
  TestHost(int32_t canvasWidth = 480, int32_t canvasHeight = 640,
           const std::filesystem::path& hostDirectory = {},
           const std::filesystem::path& profile = {});
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  uint8_t* record() const { return record_->record(); }
  int32_t getInt(uint32_t offset) const { return record_->getInt(offset); }
  void setInt(uint32_t offset, int32_t value) { record_->setInt(offset, value); }
  // The buffer named by a pointer field of the record (STAMP_REC_*_BUFFER and friends).
  uint8_t* buffer(uint32_t offset) const { return record_->buffer(offset); }
  int32_t canvasWidth() const { return record_->canvasWidth(); }
  int32_t canvasHeight() const { return record_->canvasHeight(); }
  size_t canvasBytes() const { return record_->canvasBytes(); }
  PlatApp* app() const { return record_->app(); }
  const std::filesystem::path& profilePath() const { return profilePath_; }
  PlatHandle mainWindow() const { return record_->mainWindow(); }
  PlatHandle frameWindowHandle() const { return record_->frameWindowHandle(); }
  // Writes hostDirectory in the record: the folder in backslash form, ending in a backslash.
  void setHostDirectory(const std::filesystem::path& folder);
  bool guardsIntact() const { return record_->damagedGuards().empty(); }

 private:
  std::filesystem::path profilePath_;
  bool ownsProfile_;
  std::unique_ptr<host::HostRecord> record_;
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
