#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "stamp/platform.h"
#include "stamp/support/text_encoding.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

constexpr const char16_t* kSection = u"plugin_kvo_stamp";

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.path() / "host.ini";
    app = plat_app_create(path.c_str());
    ASSERT_NE(app, nullptr) << plat_last_error();
  }
  void TearDown() override { plat_app_destroy(app); }

  std::u16string GetString(const char16_t* key, const char16_t* fallback = u"") {
    char16_t buffer[PLAT_MAX_PATH];
    plat_profile_get_string(app, kSection, key, fallback, buffer, PLAT_MAX_PATH);
    return buffer;
  }

  TempFolder folder;
  std::filesystem::path path;
  PlatApp* app = nullptr;
};

TEST_F(Profile, ApplicationObjectLiesBelowFourGibibytes) {
  EXPECT_LE(reinterpret_cast<uintptr_t>(app) + sizeof(void*), uintptr_t{0xFFFFFFFF});
}

TEST_F(Profile, MissingFileGivesDefaults) {
  EXPECT_EQ(plat_profile_get_int(app, kSection, u"shrink", 30), 30);
  EXPECT_EQ(GetString(u"file", u"none"), u"none");
  EXPECT_FALSE(std::filesystem::exists(path));
}

struct IntCase {
  const char* stored;
  int32_t expected;
};

class ProfileInt : public Profile, public ::testing::WithParamInterface<IntCase> {};

TEST_P(ProfileInt, ParsesLikeTheProfileIntegerRead) {
  WriteFile(path, std::string("[plugin_kvo_stamp]\nvalue=") + GetParam().stored + "\n");
  EXPECT_EQ(plat_profile_get_int(app, kSection, u"value", 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileInt,
    ::testing::Values(IntCase{"42", 42}, IntCase{"  -7  ", -7}, IntCase{"+5", 5},
                      IntCase{"12abc", 12}, IntCase{"abc", 0}, IntCase{"", 0}, IntCase{"-", 0},
                      IntCase{"0x1F", 0}, IntCase{"3.9", 3}, IntCase{"- 4", 0},
                      IntCase{"2147483647", INT_MAX}, IntCase{"-2147483648", INT_MIN},
                      IntCase{"2147483648", INT_MAX}, IntCase{"-2147483649", INT_MIN},
                      IntCase{"99999999999999999999999", INT_MAX}));

TEST_F(Profile, WritesKeepOtherSectionsCommentsAndKeys) {
  WriteFile(path, "; host settings\n[Host]\nZoom=2\n\n[PLUGIN_KVO_STAMP]\nSelect=1\n");
  ASSERT_EQ(plat_profile_write_int(app, kSection, u"select", 5), 1) << plat_last_error();
  ASSERT_EQ(plat_profile_write_string(app, kSection, u"file", u"\\s\\a.bmp"), 1);
  EXPECT_EQ(ReadFile(path),
            "; host settings\n[Host]\nZoom=2\n\n[PLUGIN_KVO_STAMP]\nSelect=5\nfile=\\s\\a.bmp\n");
  EXPECT_EQ(plat_profile_get_int(app, kSection, u"SELECT", 0), 5);
}

TEST_F(Profile, WriteCreatesFolderAndLeavesNoTemporaryFile) {
  const std::filesystem::path nested = folder.path() / "a" / "b" / "host.ini";
  PlatApp* nestedApp = plat_app_create(nested.c_str());
  ASSERT_EQ(plat_profile_write_int(nestedApp, kSection, u"degree", -45), 1) << plat_last_error();
  plat_app_destroy(nestedApp);
  EXPECT_EQ(ReadFile(nested), "[plugin_kvo_stamp]\ndegree=-45\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(nested.parent_path()), {}), 1);
}

TEST_F(Profile, NonAsciiValuesAreUtf8OnDiskAndRoundTrip) {
  ASSERT_EQ(plat_profile_write_string(app, kSection, u"file", u"\\st\u00E4mp\\\u65E5.bmp"), 1);
  EXPECT_EQ(ReadFile(path), "[plugin_kvo_stamp]\nfile=\\st\xC3\xA4mp\\\xE6\x97\xA5.bmp\n");
  EXPECT_EQ(GetString(u"file"), u"\\st\u00E4mp\\\u65E5.bmp");
}

TEST_F(Profile, LongValueReportsFullLengthAndCutsTheCopy) {
  const std::u16string value(1000, u'x');
  ASSERT_EQ(plat_profile_write_string(app, kSection, u"file", value.c_str()), 1);
  char16_t small[8];
  EXPECT_EQ(plat_profile_get_string(app, kSection, u"file", u"", small, 8), 1000);
  EXPECT_EQ(std::u16string(small), u"xxxxxxx");
  EXPECT_EQ(plat_profile_get_string(app, kSection, u"file", u"", nullptr, 0), 1000);
}

TEST_F(Profile, ValueWithLineBreakIsRefusedAndFileUnchanged) {
  ASSERT_EQ(plat_profile_write_int(app, kSection, u"select", 3), 1);
  EXPECT_EQ(plat_profile_write_string(app, kSection, u"file", u"a\n[evil]\nx=1"), 0);
  EXPECT_EQ(ReadFile(path), "[plugin_kvo_stamp]\nselect=3\n");
}

// A profile that exists but cannot be read (here: a folder) reads as empty, and is never
// replaced by a write, which could not keep contents it did not see.
TEST_F(Profile, UnreadableFileReadsEmptyAndRefusesWrites) {
  std::filesystem::create_directory(path);
  EXPECT_EQ(plat_profile_get_int(app, kSection, u"shrink", 30), 30);
  EXPECT_EQ(GetString(u"file", u"none"), u"none");
  EXPECT_EQ(plat_profile_write_int(app, kSection, u"shrink", 12), 0);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

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

// A failed write is kept for the host to report, naming the file and the reason.
TEST_F(Profile, FirstFailedWriteIsReported) {
  EXPECT_EQ(plat_app_profile_failure(app), nullptr);
  std::filesystem::create_directory(path);
  EXPECT_EQ(plat_profile_write_int(app, kSection, u"select", 1), 0);
  ASSERT_NE(plat_app_profile_failure(app), nullptr);
  EXPECT_EQ(std::string(plat_app_profile_failure(app)),
            "cannot write " + path.string() + ": it is a folder");
}

}  // namespace
}  // namespace stamp::test
