// The program's path, file enumeration by pattern and libraries looked up beside the program.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform_contract/contract_support.h"
#include "stamp/platform.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

TEST(ProgramPath, IsThisProgramInBackslashFormAndIsCutToTheBuffer) {
  const std::u16string path = ModuleFileName();
  EXPECT_TRUE(path.ends_with(u"\\" CONTRACT_PROGRAM_NAME)) << Utf8Path(path);
  EXPECT_EQ(path.find(u'/'), std::u16string::npos);
  EXPECT_EQ(ModuleFileName(6), path.substr(0, 5));
  EXPECT_EQ(ModuleFileName(1), u"");
  EXPECT_EQ(plat_get_module_file_name(nullptr, 8), 0);
}

struct FindCase {
  const char* name;
  std::u16string pattern;  // under the test's folder
  std::multiset<std::u16string> found;
};

class Finds : public ::testing::TestWithParam<FindCase> {};

// Directories are reported like files when their names match; "." and ".." never are.
TEST_P(Finds, ReportEveryMatchOnce) {
  const TempFolder folder;
  for (const char* file : {"s1.bmp", "s2.bmp", "s10.bmp", "UPPER.BMP", "notes.txt", "a.bmp.txt",
                           "a.bmpx", "\xC3\xA9t\xC3\xA9.bmp"}) {
    WriteFile(folder / std::filesystem::u8path(file), "");
  }
  std::filesystem::create_directory(folder / "sub.bmp");
  const std::vector<std::u16string> found =
      FindAll(PlatPath(folder.path()) + u"\\" + GetParam().pattern);
  EXPECT_EQ(std::multiset<std::u16string>(found.begin(), found.end()), GetParam().found);
}

// What "*.bmp" matches in the test's folder, in any case.
const std::multiset<std::u16string> kBmpNames = {u"s1.bmp",    u"s2.bmp",  u"s10.bmp",
                                                 u"UPPER.BMP", u"sub.bmp", u"\u00E9t\u00E9.bmp"};

INSTANTIATE_TEST_SUITE_P(Patterns, Finds,
                         ::testing::Values(FindCase{"Extension", u"*.bmp", kBmpNames},
                                           FindCase{"ExtensionInAnyCase", u"*.BmP", kBmpNames},
                                           FindCase{"OneUnit", u"s?.bmp", {u"s1.bmp", u"s2.bmp"}},
                                           FindCase{"Everything",
                                                    u"*",
                                                    {u"s1.bmp", u"s2.bmp", u"s10.bmp", u"UPPER.BMP",
                                                     u"notes.txt", u"a.bmp.txt", u"a.bmpx",
                                                     u"sub.bmp", u"\u00E9t\u00E9.bmp"}},
                                           FindCase{"NoMatch", u"*.png", {}},
                                           FindCase{"MissingFolder", u"missing\\*.bmp", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Finds, BadArgumentsAndHandlesAreRefused) {
  PlatFindData data;
  EXPECT_EQ(plat_find_first_file(nullptr, &data), 0u);
  EXPECT_EQ(plat_find_first_file(u"*", nullptr), 0u);
  EXPECT_EQ(plat_find_next_file(0, &data), 0);
  EXPECT_EQ(plat_find_close(12345), 0);
}

// The probe library is built beside this program, and looked up by its bare name.
TEST(Libraries, AreFoundBesideTheProgram) { ExpectProbeLibraryAnswers(u"" CONTRACT_PROBE_NAME); }

TEST(Libraries, MissingOnesGiveNoHandle) {
  EXPECT_EQ(plat_load_library(u"tgetfile.dll"), 0u);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_EQ(plat_load_library(u""), 0u);
  EXPECT_EQ(plat_load_library(nullptr), 0u);
  EXPECT_EQ(plat_get_proc_address(0, "sys_probe_answer"), nullptr);
}

}  // namespace
}  // namespace stamp::test
