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

TEST(IniDocument, SettingAKeyChangesOnlyItsLine) {
  IniDocument document = IniDocument::Parse(kProfile);
  ASSERT_TRUE(document.Set("plugin_kvo_stamp", "SELECT", "11"));
  std::string expected(kProfile);
  expected.replace(expected.find("Select=3"), 8, "Select=11");
  EXPECT_EQ(document.Serialise(), expected);
}

TEST(IniDocument, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines) {
  IniDocument document = IniDocument::Parse(kProfile);
  ASSERT_TRUE(document.Set("plugin_kvo_stamp", "degree", "-45"));
  std::string expected(kProfile);
  expected.insert(expected.find("\n\n# trailing") + 1, "degree=-45\n");
  EXPECT_EQ(document.Serialise(), expected);
}

TEST(IniDocument, NewSectionGoesAtTheEndAfterABlankLine) {
  IniDocument document = IniDocument::Parse("[a]\nx=1");
  ASSERT_TRUE(document.Set("b", "y", "2"));
  EXPECT_EQ(document.Serialise(), "[a]\nx=1\n\n[b]\ny=2\n");
  IniDocument empty = IniDocument::Parse("");
  ASSERT_TRUE(empty.Set("b", "y", "2"));
  EXPECT_EQ(empty.Serialise(), "[b]\ny=2\n");
}

TEST(IniDocument, KeepsCarriageReturnsAndByteOrderMark) {
  IniDocument document = IniDocument::Parse("\xEF\xBB\xBF[a]\r\nx=1\r\n");
  EXPECT_EQ(document.Get("a", "x"), "1");
  ASSERT_TRUE(document.Set("a", "x", "2"));
  ASSERT_TRUE(document.Set("a", "y", "3"));
  EXPECT_EQ(document.Serialise(), "\xEF\xBB\xBF[a]\r\nx=2\r\ny=3\r\n");
}

TEST(IniDocument, FirstOfRepeatedKeysWins) {
  IniDocument document = IniDocument::Parse("[a]\nx=1\nX=2\n[A]\nx=3\n");
  EXPECT_EQ(document.Get("a", "x"), "1");
  ASSERT_TRUE(document.Set("a", "x", "9"));
  EXPECT_EQ(document.Serialise(), "[a]\nx=9\nX=2\n[A]\nx=3\n");
}

struct Refused {
  const char* section;
  const char* key;
  const char* value;
};

class RefusedEntry : public ::testing::TestWithParam<Refused> {};

// What cannot live on one line is refused, and the document stays as it was.
TEST_P(RefusedEntry, LeavesDocumentUnchanged) {
  IniDocument document = IniDocument::Parse(kProfile);
  EXPECT_FALSE(document.Set(GetParam().section, GetParam().key, GetParam().value));
  EXPECT_EQ(document.Serialise(), kProfile);
}

INSTANTIATE_TEST_SUITE_P(Lines, RefusedEntry,
                         ::testing::Values(Refused{"a", "k", "two\nlines"},
                                           Refused{"a", "k", "carriage\rreturn"},
                                           Refused{"a\n", "k", "v"}, Refused{"a]b", "k", "v"},
                                           Refused{"a", "k=j", "v"}, Refused{"", "k", "v"},
                                           Refused{"a", "  ", "v"}, Refused{"a", ";k", "v"},
                                           Refused{"a", "[k", "v"}));

}  // namespace
}  // namespace stamp::platform
