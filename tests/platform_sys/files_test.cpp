#include <dirent.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/portable/find_files.h"
#include "platform/testing/platform_testing.h"
#include "stamp/platform.h"
#include "stamp/support/text_encoding.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

using platform::FromFileSystemPath;

std::u16string ModuleFileName(int32_t capacity = PLAT_MAX_PATH) {
  std::vector<char16_t> buffer(static_cast<size_t>(capacity) + 1, u'#');
  const int32_t length = plat_get_module_file_name(buffer.data(), capacity);
  EXPECT_EQ(static_cast<size_t>(length), std::u16string(buffer.data()).size());
  return buffer.data();
}

class Files : public ::testing::Test {
 protected:
  void SetUp() override { liveBefore = plat_live_object_count(); }
  void TearDown() override {
    plat_set_program_path(nullptr);
    EXPECT_EQ(plat_live_object_count(), liveBefore);
  }
  int32_t liveBefore = 0;
};

TEST_F(Files, ProgramPathIsTheRunningProgramInBackslashForm) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(ModuleFileName(), FromFileSystemPath(self));
}

TEST_F(Files, ProgramPathOverrideIsReportedAndCut) {
  plat_set_program_path("/opt/h\xC3\xB6st/stamp-host");
  EXPECT_EQ(ModuleFileName(), u"\\opt\\h\u00F6st\\stamp-host");
  EXPECT_EQ(ModuleFileName(6), u"\\opt\\");
  char16_t none[1] = {u'#'};
  EXPECT_EQ(plat_get_module_file_name(none, 1), 0);
  EXPECT_EQ(none[0], u'\0');
}

// Every name a find over the pattern reports, in the order reported.
std::vector<std::u16string> FindAll(const std::u16string& pattern) {
  std::vector<std::u16string> names;
  PlatFindData data;
  const PlatHandle find = plat_find_first_file(pattern.c_str(), &data);
  if (find == 0) return names;
  do names.emplace_back(data.fileName);
  while (plat_find_next_file(find, &data) != 0);
  EXPECT_EQ(plat_find_close(find), 1);
  return names;
}

TEST_F(Files, FindReportsMatchesInFileSystemOrder) {
  TempFolder folder;
  for (int i = 0; i < 60; ++i) {
    WriteFile(folder.path() / std::string("s").append(std::to_string(i)).append(".bmp"), "");
  }
  WriteFile(folder.path() / "UPPER.BMP", "");
  WriteFile(folder.path() / "notes.txt", "");
  WriteFile(folder.path() / "a.bmp.txt", "");
  std::filesystem::create_directory(folder.path() / "sub.bmp");

  std::vector<std::u16string> expected;
  DIR* directory = ::opendir(folder.path().c_str());
  while (const dirent* entry = ::readdir(directory)) {
    const std::u16string name = platform::FromUtf8(entry->d_name);
    if (name.ends_with(u".bmp") || name.ends_with(u".BMP")) expected.push_back(name);
  }
  ::closedir(directory);

  const std::u16string base = FromFileSystemPath(folder.path().string()) + u"\\";
  const std::vector<std::u16string> found = FindAll(base + u"*.bmp");
  EXPECT_EQ(found.size(), 62u);  // 60 files, UPPER.BMP and the folder sub.bmp
  EXPECT_EQ(found, expected);
  EXPECT_EQ(FindAll(base + u"*.BmP"), expected);
  EXPECT_EQ(FindAll(base + u"s5?.bmp").size(), 10u);
  EXPECT_TRUE(FindAll(base + u"*.png").empty());
  EXPECT_TRUE(FindAll(base + u"missing\\*.bmp").empty());
  EXPECT_TRUE(std::set<std::u16string>(found.begin(), found.end()).count(u"sub.bmp"));
}

TEST_F(Files, FindNeverReportsDotEntries) {
  TempFolder folder;
  EXPECT_TRUE(FindAll(FromFileSystemPath(folder.path().string()) + u"\\*").empty());
}

struct MatchCase {
  std::u16string_view pattern;
  std::u16string_view name;
  bool matches;
};

class Pattern : public ::testing::TestWithParam<MatchCase> {};

TEST_P(Pattern, MatchesLikeAFileSystemWildcard) {
  EXPECT_EQ(platform::MatchesPattern(GetParam().pattern, GetParam().name), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, Pattern,
    ::testing::Values(MatchCase{u"*.bmp", u"a.bmp", true}, MatchCase{u"*.bmp", u".bmp", true},
                      MatchCase{u"*.bmp", u"a.bmpx", false}, MatchCase{u"*.bmp", u"a.bm", false},
                      MatchCase{u"*.BMP", u"a.bmp", true}, MatchCase{u"?.bmp", u"ab.bmp", false},
                      MatchCase{u"a*b*c", u"axxbyybzc", true}, MatchCase{u"a*b*c", u"abcb", false},
                      MatchCase{u"*", u"anything", true},
                      MatchCase{u"\u00C9.bmp", u"\u00E9.bmp", false}, MatchCase{u"**x", u"x", true},
                      MatchCase{u"", u"", true}));

TEST_F(Files, LibraryIsFoundBesideTheProgram) {
  plat_set_program_path(SYS_PROBE_DIR "/stamp-host");
  const PlatHandle library = plat_load_library(u"" SYS_PROBE_NAME);
  ASSERT_NE(library, 0u) << plat_last_error();
  using Answer = int (*)();
  const auto answer = reinterpret_cast<Answer>(plat_get_proc_address(library, "sys_probe_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(plat_get_proc_address(library, "tGetFile"), nullptr);
  EXPECT_EQ(plat_free_library(library), 1);
  EXPECT_EQ(plat_free_library(library), 0);
}

TEST_F(Files, MissingLibraryGivesNoHandle) {
  plat_set_program_path("/nonexistent/stamp-host");
  EXPECT_EQ(plat_load_library(u"" SYS_PROBE_NAME), 0u);
  EXPECT_EQ(plat_load_library(u"tgetfile.dll"), 0u);
  EXPECT_STRNE(plat_last_error(), "");
}

}  // namespace
}  // namespace stamp::test
