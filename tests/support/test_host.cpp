#include "support/test_host.h"

#include <unistd.h>

#include <stdexcept>

#include "host/record/host_directory.h"

namespace stamp::test {
namespace {

std::filesystem::path TemporaryProfile() {
  char pattern[] = "/tmp/stamp-profile-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("cannot create a temporary profile");
  close(fd);
  std::filesystem::remove(pattern);  // the profile starts out missing, as on a first run
  return pattern;
}

host::HostRecordOptions RecordOptions(int32_t canvasWidth, int32_t canvasHeight,
                                      const std::filesystem::path& hostDirectory,
                                      const std::filesystem::path& profile) {
  host::HostRecordOptions options;
  options.canvasWidth = canvasWidth;
  options.canvasHeight = canvasHeight;
  options.hostDirectory =
      host::HostDirectoryText(hostDirectory.empty() ? HostFolder() : hostDirectory);
  options.profilePath = profile.string();
  return options;
}

}  // namespace

TestHost::TestHost(int32_t canvasWidth, int32_t canvasHeight,
                   const std::filesystem::path& hostDirectory, const std::filesystem::path& profile)
    : profilePath_(profile.empty() ? TemporaryProfile() : profile),
      ownsProfile_(profile.empty()),
      record_(std::make_unique<host::HostRecord>(
          RecordOptions(canvasWidth, canvasHeight, hostDirectory, profilePath_))) {}

TestHost::~TestHost() {
  record_.reset();
  if (ownsProfile_) std::filesystem::remove(profilePath_);
}

void TestHost::setHostDirectory(const std::filesystem::path& folder) {
  record_->setHostDirectory(host::HostDirectoryText(folder));
}

std::filesystem::path HostFolder() { return STAMP_TEST_HOST_DIR; }
std::filesystem::path FixtureFolder() { return STAMP_TEST_FIXTURE_DIR; }

std::u16string WindowsPath(const std::filesystem::path& path) {
  std::u16string text;
  for (char c : path.string()) text.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
  return text;
}

}  // namespace stamp::test
