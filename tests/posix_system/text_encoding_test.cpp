#include "platform/portable/text_encoding.h"

#include <gtest/gtest.h>

namespace stamp::platform {
namespace {

struct Utf8Case {
  std::string utf8;
  std::u16string utf16;
};

class RoundTrip : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(RoundTrip, ConvertsBothWays) {
  EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(ToUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Text, RoundTrip,
                         ::testing::Values(Utf8Case{"", u""}, Utf8Case{"stamp", u"stamp"},
                                           Utf8Case{"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
                                           Utf8Case{"\xE6\x97\xA5\xE6\x9C\xAC", u"\u65E5\u672C"},
                                           Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"},
                                           Utf8Case{"\xEF\xBF\xBF", u"\uFFFF"}));

// Malformed UTF-8 never fails: each bad sequence becomes one U+FFFD and decoding goes on.
TEST(TextEncoding, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");    // overlong '/'
  EXPECT_EQ(FromUtf8("\xE2\x82"), u"\uFFFD");          // cut short at the end
  EXPECT_EQ(FromUtf8("\xE2\x82x"), u"\uFFFDx");        // cut short before a character
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD");      // an encoded surrogate
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD");  // beyond U+10FFFF
}

TEST(TextEncoding, LoneSurrogatesBecomeReplacementCharacters) {
  const std::u16string high = {u'a', char16_t{0xD800}, u'b'};
  const std::u16string low = {char16_t{0xDC00}};
  EXPECT_EQ(ToUtf8(high),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(ToUtf8(low), "\xEF\xBF\xBD");
}

TEST(TextEncoding, PathsSwapSeparators) {
  EXPECT_EQ(ToFileSystemPath(u"\\opt\\host\\stamp\\\u00E9.bmp"), "/opt/host/stamp/\xC3\xA9.bmp");
  EXPECT_EQ(FromFileSystemPath("/opt/host/stamp-host"), u"\\opt\\host\\stamp-host");
}

}  // namespace
}  // namespace stamp::platform
