// Damaged profiles: start-up goes on with what can be read, and shut-down writes the four keys
// back into a file that keeps the other program's section byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "platform/portable/text_encoding.h"
#include "plugin/module_fixture.h"

namespace stamp::test {
namespace {

using namespace std::string_literals;

constexpr char kOtherProgram[] = "; kept by another program\n[other_program]\nwindow=12,40\n\n";
const std::string kLongFile = "C:\\" + std::string(10000, 'x') + ".bmp";

struct Damage {
  const char* name;
  std::string text;      // follows the other program's section
  StoredSettings saved;  // its file as read, and as written back
  Texts messages;
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class DamagedProfileTest : public ModuleTest, public testing::WithParamInterface<Damage> {};

TEST_P(DamagedProfileTest, StartsAndIsWrittenBackWithTheOtherSectionKept) {
  const std::string original = kOtherProgram + GetParam().text;
  WriteFile(host.profilePath(), original);
  EXPECT_EQ(Start(), 1);
  EXPECT_EQ(ui.messages(), GetParam().messages);
  plugin.destroy();

  const std::string saved = ReadFile(host.profilePath());
  EXPECT_TRUE(saved.starts_with(kOtherProgram)) << saved;
  EXPECT_NE(saved.find("\nfile=" + platform::ToUtf8(GetParam().saved.file)), saved.npos) << saved;
  EXPECT_EQ(Saved(), GetParam().saved);
}

const Damage kDamages[] = {
    {"BinaryGarbage", "\x00\x01\xff[\xfe\n==\n[plugin_kvo_stamp\nselect=3"s, {0, 0, 30, u""}, {}},
    {"ValuesThatAreNoNumbers",
     "[plugin_kvo_stamp]\nselect=abc\ndegree=12abc\nshrink= -7 \n",
     {0, 12, -7, u""},
     {}},
    {"RepeatedSectionReadAsOne",
     "[plugin_kvo_stamp]\nselect=4\n[PLUGIN_KVO_STAMP]\nselect=9\nshrink=12\n",
     {4, 0, 12, u""},
     {}},
    {"FileOfTenThousandCharacters",
     "[plugin_kvo_stamp]\nfile=" + kLongFile + "\n",
     {0, 0, 30, platform::FromUtf8(kLongFile)},
     {kOpenError}},
    {"FileNotUtf8",
     "[plugin_kvo_stamp]\r\nfile=C:\\\xff\xfe\xc3(.bmp\r\n",
     {0, 0, 30, platform::FromUtf8("C:\\\xff\xfe\xc3(.bmp")},
     {kOpenError}},
};

INSTANTIATE_TEST_SUITE_P(Profiles, DamagedProfileTest, testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stamp::test
