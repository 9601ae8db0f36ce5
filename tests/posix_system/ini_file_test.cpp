#include "platform/portable/ini_file.h"

#include <gtest/gtest.h>

namespace stamp::platform {
namespace {

constexpr std::string_view kProfile =
    "; written by the host\n"
    "[Window]\n"
    "left = 12\n"
    "\n"
    "[plugin_kvo_stamp]\n"
    "Select=3\n"
    "file =  \\stamp\\a.bmp  \n"
    "\n"
    "# trailing comment\n"
    "[Other]\n"
    "odd line without equals\n";

TEST(IniDocument, UntouchedDocumentSerialisesUnchanged) {
  EXPECT_EQ(IniDocument::Parse(kProfile).Serialise(), kProfile);
}

TEST(IniDocument, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed) {
  const IniDocument document = IniDocument::Parse(kProfile);
  EXPECT_EQ(document.Get("PLUGIN_KVO_STAMP", "select"), "3");
  EXPECT_EQ(document.Get(" plugin_kvo_stamp ", "FILE"), "\\stamp\\a.bmp");
  EXPECT_EQ(document.Get("window", "Left"), "12");
  EXPECT_EQ(document.Get("plugin_kvo_stamp", "left"), std::nullopt);
  EXPECT_EQ(document.Get("Other", "odd line without equals"), std::nullopt);
  EXPECT_EQ(document.Get("missing", "select"), std::nullopt);
}

struct Entry {
  const char* section;
  const char* key;
  const char* value;
};

// The text parsed, the entries set (the test fails at one refused) and written out again.
std::string AfterSetting(std::string_view text, std::initializer_list<Entry> entries) {
  IniDocument document = IniDocument::Parse(text);
  for (const Entry& entry : entries) {
    EXPECT_TRUE(document.Set(entry.section, entry.key, entry.value)) << entry.key;
  }
  return document.Serialise();
}

TEST(IniDocument, SettingAKeyChangesOnlyItsLine) {
  EXPECT_EQ(AfterSetting(kProfile, {{"plugin_kvo_stamp", "SELECT", "11"}}),
            std::string(kProfile).replace(kProfile.find("Select=3"), 8, "Select=11"));
}

TEST(IniDocument, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines) {
  EXPECT_EQ(AfterSetting(kProfile, {{"plugin_kvo_stamp", "degree", "-45"}}),
            std::string(kProfile).insert(kProfile.find("\n\n# trailing") + 1, "degree=-45\n"));
}

TEST(IniDocument, NewSectionGoesAtTheEndAfterABlankLine) {
  EXPECT_EQ(AfterSetting("[a]\nx=1", {{"b", "y", "2"}}), "[a]\nx=1\n\n[b]\ny=2\n");
  EXPECT_EQ(AfterSetting("", {{"b", "y", "2"}}), "[b]\ny=2\n");
}

TEST(IniDocument, KeepsCarriageReturnsAndByteOrderMark) {
  constexpr std::string_view kText = "\xEF\xBB\xBF[a]\r\nx=1\r\n";
  EXPECT_EQ(IniDocument::Parse(kText).Get("a", "x"), "1");
  EXPECT_EQ(AfterSetting(kText, {{"a", "x", "2"}, {"a", "y", "3"}}),
            "\xEF\xBB\xBF[a]\r\nx=2\r\ny=3\r\n");
}

TEST(IniDocument, FirstOfRepeatedKeysWins) {
  constexpr std::string_view kText = "[a]\nx=1\nX=2\n[A]\nx=3\n";
  EXPECT_EQ(IniDocument::Parse(kText).Get("a", "x"), "1");
  EXPECT_EQ(AfterSetting(kText, {{"a", "x", "9"}}), "[a]\nx=9\nX=2\n[A]\nx=3\n");
}

class RefusedEntry : public ::testing::TestWithParam<Entry> {};

// What cannot live on one line is refused, and the document stays as it was.
TEST_P(RefusedEntry, LeavesDocumentUnchanged) {
  IniDocument document = IniDocument::Parse(kProfile);
  EXPECT_FALSE(document.Set(GetParam().section, GetParam().key, GetParam().value));
  EXPECT_EQ(document.Serialise(), kProfile);
}

INSTANTIATE_TEST_SUITE_P(Lines, RefusedEntry,
                         ::testing::Values(Entry{"a", "k", "two\nlines"},
                                           Entry{"a", "k", "carriage\rreturn"},
                                           Entry{"a\n", "k", "v"}, Entry{"a]b", "k", "v"},
                                           Entry{"a", "k=j", "v"}, Entry{"", "k", "v"},
                                           Entry{"a", "  ", "v"}, Entry{"a", ";k", "v"},
                                           Entry{"a", "[k", "v"}));

}  // namespace
}  // namespace stamp::platform
