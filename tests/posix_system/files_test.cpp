#include <dirent.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/portable/find_files.h"
#include "platform/portable/text_encoding.h"
#include "platform_contract/contract_support.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

using platform::FromFileSystemPath;

class Files : public ::testing::Test {
 protected:
  void TearDown() override { plat_set_program_path(nullptr); }
  const NoObjectLeft noObjectLeft;
};

TEST_F(Files, ProgramPathOverrideIsReportedAndCut) {
  plat_set_program_path("/opt/h\xC3\xB6st/stamp-host");
  EXPECT_EQ(ModuleFileName(), u"\\opt\\h\u00F6st\\stamp-host");
  EXPECT_EQ(ModuleFileName(6), u"\\opt\\");
  EXPECT_EQ(ModuleFileName(1), u"");
}

// Matches come in the order the file system gives (the contract tests check which match), and
// only names that name their file again.
TEST_F(Files, FindReportsMatchesInFileSystemOrder) {
  TempFolder folder;
  for (int i = 0; i < 60; ++i) {
    WriteFile(folder.path() / std::string("s").append(std::to_string(i)).append(".bmp"), "");
  }
  WriteFile(folder.path() / "notes.txt", "");
  // Names the plug-in could not open again from what it is given are not listed: a backslash
  // would become a slash, bytes that are not UTF-8 a replacement character.
  for (const char* unlisted : {"back\\slash.bmp", "bad\xff.bmp", "cut\xc3.bmp", "\xc0\xaf.bmp"}) {
    WriteFile(folder.path() / unlisted, "");
  }

  std::vector<std::u16string> expected;
  DIR* directory = ::opendir(folder.path().c_str());
  while (const dirent* entry = ::readdir(directory)) {
    const std::u16string name = platform::FromUtf8(entry->d_name);
    if (name.starts_with(u"s") && name.ends_with(u".bmp")) expected.push_back(name);
  }
  ::closedir(directory);

  const std::u16string base = FromFileSystemPath(folder.path().string()) + u"\\";
  EXPECT_EQ(FindAll(base + u"*.bmp"), expected);
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

// Libraries are looked up beside the program path a host has set.
TEST_F(Files, LibraryIsFoundBesideThePretendedProgram) {
  plat_set_program_path(SYS_PROBE_DIR "/stamp-host");
  ExpectProbeLibraryAnswers(u"" SYS_PROBE_NAME);
}

}  // namespace
}  // namespace stamp::test
