// The user's sheet folder: where it lies, the names a sheet may be saved under, the samples
// linked into it without touching the user's own files, and the tool shown it as its own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "host/sheets/user_sheets.h"
#include "platform/support/text_encoding.h"
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

TEST(UserSheets, FolderFollowsTheDesktopsDataHome) {
  struct Case {
    const char* data;
    const char* home;
    std::optional<fs::path> folder;
  };
  for (const Case& c : {Case{"/data", "/home/u", "/data/stamp-host/stamp"},
                        Case{"relative", "/home/u", "/home/u/.local/share/stamp-host/stamp"},
                        Case{nullptr, "/home/u", "/home/u/.local/share/stamp-host/stamp"},
                        Case{nullptr, nullptr, std::nullopt}}) {
    const Variable data("XDG_DATA_HOME", c.data);
    const Variable home("HOME", c.home);
    EXPECT_EQ(host::UserSheetFolder(), c.folder) << (c.data ? c.data : "(unset)");
  }
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
    std::string why;
    EXPECT_EQ(host::SheetFileName(c.name, why), c.file) << c.name;
    EXPECT_EQ(why.empty(), c.file.has_value()) << c.name;
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
  ASSERT_EQ(host::PrepareUserSheetFolder(folder_, samples_), "");
  EXPECT_FALSE(fs::is_symlink(folder_ / "a.bmp"));
  EXPECT_EQ(ReadFile(folder_ / "a.bmp"), "the user's own");
  EXPECT_EQ(fs::read_symlink(folder_ / "b.BMP"), samples_ / "b.BMP")
      << "a dangling link is renewed";
  EXPECT_FALSE(fs::exists(folder_ / "notes.txt"));
  EXPECT_FALSE(fs::exists(folder_ / "folder.bmp"));
  EXPECT_EQ(host::PrepareUserSheetFolder(folder_, samples_), "") << "a second time changes nothing";
  EXPECT_EQ(ReadFile(folder_ / "b.BMP"), "b.BMP");
}

TEST_F(UserSheetFolder, AFolderThatCannotBeMadeIsNamed) {
  WriteFile(scratch_ / "data", "a file where the folder would go");
  const std::string why = host::PrepareUserSheetFolder(folder_, samples_);
  EXPECT_TRUE(why.starts_with("cannot make the sheet folder " + folder_.string() + ": ")) << why;
  EXPECT_TRUE(fs::exists(samples_ / "a.bmp"));
}

TEST_F(UserSheetFolder, TheToolTakesTheUsersFolderForItsStampFolder) {
  const Variable data("XDG_DATA_HOME", (scratch_ / "data").c_str());
  ASSERT_EQ(host::ShowUserSheetsToTool(scratch_ / "host"), "");
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
