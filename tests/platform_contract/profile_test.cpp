#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform_contract/profile_fixture.h"
#include "stamp/platform.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

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
  PlatApp* nestedApp = plat_app_create(Utf8Path(nested).c_str());
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

// A sheet path far longer than the platform's path limit is kept whole and its full length told.
TEST_F(Profile, LongSheetPathReportsFullLengthAndCutsTheCopy) {
  std::u16string value = u"Z:\\";
  while (value.size() < 1000) value += u"stamp sheets\\";
  value += u"sheet.bmp";
  ASSERT_EQ(plat_profile_write_string(app, kSection, u"file", value.c_str()), 1);
  const auto length = static_cast<int32_t>(value.size());
  std::u16string whole(value.size() + 1, u'#');
  EXPECT_EQ(plat_profile_get_string(app, kSection, u"file", u"", whole.data(), length + 1), length);
  EXPECT_EQ(whole.c_str(), value);
  char16_t small[8];
  EXPECT_EQ(plat_profile_get_string(app, kSection, u"file", u"", small, 8), length);
  EXPECT_EQ(std::u16string(small), u"Z:\\stam");
  EXPECT_EQ(plat_profile_get_string(app, kSection, u"file", u"", nullptr, 0), length);
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

// A failed write is kept for the host to report, naming the file and the reason.
TEST_F(Profile, FirstFailedWriteIsReported) {
  EXPECT_EQ(plat_app_profile_failure(app), nullptr);
  std::filesystem::create_directory(path);
  EXPECT_EQ(plat_profile_write_int(app, kSection, u"select", 1), 0);
  ASSERT_NE(plat_app_profile_failure(app), nullptr);
  EXPECT_EQ(std::string(plat_app_profile_failure(app)),
            "cannot write " + Utf8Path(path) + ": it is a folder");
}

}  // namespace
}  // namespace stamp::test
