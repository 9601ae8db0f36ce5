// The load dialog's template, control by control, as the dialog code and the UI back end read it.
#include "src/resources/load_dialog_template.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace stamp {
namespace {

constexpr uint32_t kChild = PLAT_WS_VISIBLE | PLAT_WS_CHILD | PLAT_WS_TABSTOP;

// The five controls in tab order.
constexpr PlatDialogControl kExpected[] = {
    {1, PLAT_CONTROL_DEFAULT_PUSH_BUTTON, u"OK", 30, 115, 50, 15, kChild | PLAT_BS_DEFPUSHBUTTON},
    {2, PLAT_CONTROL_PUSH_BUTTON, u"Cancel", 80, 115, 50, 15, kChild},
    {1000, PLAT_CONTROL_EDIT, u"", 5, 5, 105, 15, kChild | PLAT_WS_BORDER | PLAT_ES_AUTOHSCROLL},
    {1001, PLAT_CONTROL_PUSH_BUTTON, u"File", 110, 5, 20, 15, kChild},
    {1002, PLAT_CONTROL_LIST_BOX, nullptr, 5, 25, 125, 85,
     kChild | PLAT_WS_BORDER | PLAT_WS_VSCROLL | PLAT_LBS_NOTIFY | PLAT_LBS_NOINTEGRALHEIGHT},
};

std::u16string TextOf(const char16_t* text) { return text != nullptr ? text : u"(none)"; }

TEST(LoadDialogTemplate, DialogFrame) {
  const PlatDialogTemplate& t = kLoadDialogTemplate;
  EXPECT_EQ(t.resourceId, 4308);
  EXPECT_EQ(TextOf(t.caption), u"Load");
  EXPECT_EQ(TextOf(t.fontName), u"Tahoma");
  EXPECT_EQ(t.fontPoints, 9);
  EXPECT_EQ((std::array{t.x, t.y, t.width, t.height}), (std::array<int16_t, 4>{0, 0, 135, 133}));
  EXPECT_EQ(t.style, PLAT_WS_POPUP | PLAT_WS_CAPTION | PLAT_WS_SYSMENU | PLAT_DS_MODALFRAME |
                         PLAT_DS_SETFONT);
}

TEST(LoadDialogTemplate, ControlsInTabOrder) {
  ASSERT_EQ(kLoadDialogTemplate.controlCount, static_cast<int32_t>(std::size(kExpected)));
  for (size_t i = 0; i < std::size(kExpected); ++i) {
    const PlatDialogControl& want = kExpected[i];
    const PlatDialogControl& got = kLoadDialogTemplate.controls[i];
    SCOPED_TRACE("control " + std::to_string(want.id));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(TextOf(got.text), TextOf(want.text));
    EXPECT_EQ((std::array{got.x, got.y, got.width, got.height}),
              (std::array{want.x, want.y, want.width, want.height}));
    EXPECT_EQ(got.style, want.style);
  }
}

}  // namespace
}  // namespace stamp
