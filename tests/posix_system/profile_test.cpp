// The POSIX back end's own promises for the profile: permissions kept, concurrent writers from
// other processes, and temporaries of killed writers cleared.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/portable/text_encoding.h"
#include "platform_contract/profile_fixture.h"

namespace stamp::test {
namespace {

TEST_F(Profile, ExistingFileKeepsItsPermissions) {
  WriteFile(path, "[x]\n");
  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_EQ(plat_profile_write_int(app, kSection, u"select", 1), 1);
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// Two programs writing the same profile at once: each write re-reads the file under a lock, so
// no entry of the other is lost.
TEST_F(Profile, ConcurrentWritersKeepEveryEntry) {
  constexpr int kWriters = 2;
  constexpr int kKeysEach = 100;
  std::vector<pid_t> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int key = 0; key < kKeysEach; ++key) {
        const std::u16string name = u"k" + platform::FromUtf8(std::to_string(writer * 1000 + key));
        if (plat_profile_write_int(app, kSection, name.c_str(), key) != 1) {
          std::fprintf(stderr, "writer %d: %s\n", writer, plat_last_error());
          ::_exit(1);
        }
      }
      ::_exit(0);
    }
    writers.push_back(pid);
  }
  for (const pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << plat_last_error();
  }
  int kept = 0;
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int key = 0; key < kKeysEach; ++key) {
      const std::u16string name = u"k" + platform::FromUtf8(std::to_string(writer * 1000 + key));
      kept += plat_profile_get_int(app, kSection, name.c_str(), -1) == key;
    }
  }
  EXPECT_EQ(kept, kWriters * kKeysEach);
}

// A write removes the temporaries that killed writers left beside the profile (older and current
// names), and keeps those of a live process and every other file.
TEST_F(Profile, WriteRemovesTemporariesOfWritersThatNoLongerRun) {
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string dead = std::to_string(gone);
  const std::string live = std::to_string(::getppid());
  const std::string name = path.filename().string();
  for (const std::string& leftover :
       {name + ".tmp" + dead + "-0", name + ".tmp-" + dead + "-00ff00ff00ff00ff",
        name + ".tmp-" + live + "-00ff00ff00ff00ff", name + ".tmp" + dead + "-x",
        "other.tmp" + dead + "-0"}) {
    WriteFile(folder.path() / leftover, "partial");
  }
  ASSERT_EQ(plat_profile_write_int(app, kSection, u"select", 1), 1);
  std::set<std::string> remaining;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    remaining.insert(entry.path().filename().string());
  }
  EXPECT_EQ(remaining, (std::set<std::string>{name, name + ".tmp" + dead + "-x",
                                              name + ".tmp-" + live + "-00ff00ff00ff00ff",
                                              "other.tmp" + dead + "-0"}));
}

}  // namespace
}  // namespace stamp::test
