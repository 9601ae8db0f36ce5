// The user's sheet folder: where it lies, the names a sheet may be saved under, the samples
// linked into it without touching the user's own files, and the tool shown it as its own.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/commands/command_line.h"
#include "host/sheets/user_sheets.h"
#include "platform/portable/text_encoding.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for the test's span, then puts it back.
class Variable {
 public:
  Variable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~Variable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Every folder of the user's follows one rule: the variable when it is absolute, else HOME's.
TEST(UserSheets, FoldersFollowTheDesktopsRule) {
  struct Case {
    host::UserFolder kind;
    const char* variable;
    const char* value;
    const char* home;
    std::optional<fs::path> folder;
  };
  for (const Case& c : {
           Case{host::UserFolder::kData, "XDG_DATA_HOME", "/data", "/home/u", "/data/stamp-host"},
           Case{host::UserFolder::kData, "XDG_DATA_HOME", "rel", "/home/u",
                "/home/u/.local/share/stamp-host"},
           Case{host::UserFolder::kConfig, "XDG_CONFIG_HOME", "/c", "/home/u", "/c/stamp-host"},
           Case{host::UserFolder::kConfig, "XDG_CONFIG_HOME", "rel", "/home/u",
                "/home/u/.config/stamp-host"},
           Case{host::UserFolder::kState, "XDG_STATE_HOME", "", "/home/u",
                "/home/u/.local/state/stamp-host"},
           Case{host::UserFolder::kState, "XDG_STATE_HOME", nullptr, nullptr, std::nullopt},
       }) {
    const Variable variable(c.variable, c.value);
    const Variable home("HOME", c.home);
    EXPECT_EQ(host::HostUserFolder(c.kind), c.folder)
        << c.variable << "=" << (c.value ? c.value : "(unset)");
  }
  const Variable data("XDG_DATA_HOME", "/data");
  EXPECT_EQ(host::UserSheetFolder(), fs::path("/data/stamp-host/stamp"));
  const Variable config("XDG_CONFIG_HOME", "relative");
  const Variable home("HOME", "/home/u");
  EXPECT_EQ(host::DefaultProfile(), fs::path("/home/u/.config/stamp-host/profile.ini"));
}

TEST(UserSheets, NamesAreFilesOfTheFolder) {
  struct Case {
    const char* name;
    std::optional<std::string> file;
  };
  for (const Case& c :
       {Case{"mine", "mine.bmp"}, Case{"Mine.BMP", "Mine.BMP"}, Case{"two words", "two words.bmp"},
        Case{"", std::nullopt}, Case{".hidden", std::nullopt}, Case{"a/b", std::nullopt},
        Case{"a\\b", std::nullopt}, Case{"tab\there", std::nullopt}}) {
    const host::Result<std::string> file = host::SheetFileName(c.name);
    EXPECT_EQ(file.ok() ? std::optional(*file) : std::nullopt, c.file) << c.name;
    EXPECT_EQ(file.error().empty(), c.file.has_value()) << c.name;
  }
}

class UserSheetFolder : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(samples_);
    for (const char* name : {"a.bmp", "b.BMP", "notes.txt"}) WriteFile(samples_ / name, name);
    fs::create_directory(samples_ / "folder.bmp");
  }

  const TempFolder scratch_;
  const fs::path samples_ = scratch_ / "host" / STAMP_SHEET_FOLDER;
  const fs::path folder_ = scratch_ / "data" / "stamp-host" / "stamp";
};

TEST_F(UserSheetFolder, SamplesAreLinkedBesideTheUsersOwnSheets) {
  fs::create_directories(folder_);
  WriteFile(folder_ / "a.bmp", "the user's own");
  fs::create_symlink(scratch_ / "gone.bmp", folder_ / "b.BMP");
  ASSERT_EQ(host::PrepareUserSheetFolder(folder_, samples_).error(), "");
  EXPECT_FALSE(fs::is_symlink(folder_ / "a.bmp"));
  EXPECT_EQ(ReadFile(folder_ / "a.bmp"), "the user's own");
  EXPECT_EQ(fs::read_symlink(folder_ / "b.BMP"), samples_ / "b.BMP")
      << "a dangling link is renewed";
  EXPECT_FALSE(fs::exists(folder_ / "notes.txt"));
  EXPECT_FALSE(fs::exists(folder_ / "folder.bmp"));
  EXPECT_EQ(host::PrepareUserSheetFolder(folder_, samples_).error(), "")
      << "a second time changes nothing";
  EXPECT_EQ(ReadFile(folder_ / "b.BMP"), "b.BMP");
}

TEST_F(UserSheetFolder, RenewingALinkLeavesEveryOtherNameAlone) {
  fs::create_directories(folder_);
  fs::create_symlink(scratch_ / "gone.bmp", folder_ / "a.bmp");
  for (const char* name :
       {"a.bmp.link-new", "a.bmp.tmp-1-0123456789abcdef", "a.bmp.tmp-999999999-0123456789abcdef"}) {
    WriteFile(folder_ / name, "the user's own");
  }
  // A link a killed window left under its temporary name goes.
  fs::create_symlink(samples_ / "b.BMP", folder_ / "b.BMP.tmp-999999999-0123456789abcdef");
  ASSERT_EQ(host::PrepareUserSheetFolder(folder_, samples_).error(), "");
  EXPECT_EQ(fs::read_symlink(folder_ / "a.bmp"), samples_ / "a.bmp");
  int entries = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
    ++entries;
    if (!entry.is_symlink()) {
      EXPECT_EQ(ReadFile(entry.path()), "the user's own") << entry.path();
    }
  }
  EXPECT_EQ(entries, 5) << "the two samples and the user's three files, no temporary left";
}

// Windows started together link the same samples at once; each ends with every sample listed.
TEST_F(UserSheetFolder, TwoWindowsLinkingAtOnceBothSucceed) {
  constexpr int kRounds = 8;
  for (int round = 0; round < kRounds; ++round) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    if (round % 2 == 1) {  // the links of an old install, renewed by both windows
      for (const char* name : {"a.bmp", "b.BMP"})
        fs::create_symlink(scratch_ / "gone", folder_ / name);
    }
    std::vector<pid_t> windows;
    for (int k = 0; k < 2; ++k) {
      const pid_t pid = ::fork();
      if (pid == 0)
        ::_exit(host::PrepareUserSheetFolder(folder_, samples_).error().empty() ? 0 : 1);
      windows.push_back(pid);
    }
    for (const pid_t pid : windows) {
      int status = -1;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    for (const char* name : {"a.bmp", "b.BMP"}) {
      EXPECT_EQ(ReadFile(folder_ / name), name) << "round " << round;
    }
  }
}

TEST_F(UserSheetFolder, AFolderThatCannotBeMadeIsNamed) {
  WriteFile(scratch_ / "data", "a file where the folder would go");
  const std::string why = host::PrepareUserSheetFolder(folder_, samples_).error();
  EXPECT_TRUE(why.starts_with("cannot make the sheet folder " + folder_.string() + ": ")) << why;
  EXPECT_TRUE(fs::exists(samples_ / "a.bmp"));
}

TEST_F(UserSheetFolder, TheToolTakesTheUsersFolderForItsStampFolder) {
  const Variable data("XDG_DATA_HOME", (scratch_ / "data").c_str());
  ASSERT_EQ(host::ShowUserSheetsToTool(host::UserSheetFolder(), scratch_ / "host").error(), "");
  char16_t program[PLAT_MAX_PATH];
  ASSERT_GT(plat_get_module_file_name(program, PLAT_MAX_PATH), 0);
  plat_set_program_path(nullptr);
  EXPECT_EQ(
      std::u16string(program),
      platform::FromFileSystemPath((scratch_ / "data" / "stamp-host" / "stamp-host").string()));
  EXPECT_TRUE(fs::is_symlink(folder_ / "a.bmp"));
}

}  // namespace
}  // namespace stamp::test
