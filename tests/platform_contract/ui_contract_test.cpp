// The contract's user-facing calls as a user answers them: the message box, a modal dialog run
// from the load dialog's template, and the system's file picker. The host-side back end stands
// for the user: on Linux the scripted UI back end, on Windows the watcher that acts on the real
// windows. Both must give the dialog's code the same notifications and the caller the same
// results.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/session/script_user.h"
#include "src/resources/load_dialog_template.h"
#include "stamp/platform.h"
#include "support/test_files.h"

namespace stamp {
namespace {

using host::ScriptUser;
using test::TempFolder;
using test::WriteFile;

constexpr char16_t kEmptyPathMessage[] = u"no path";
const std::vector<std::u16string> kEntries = {u"nature.bmp", u"shapes.bmp", u"symbols.bmp"};

// The dialog's own code: fills the list and the path box, notes each selection notice, and on
// OK ends with the path, or with an empty one shows a message box and stays open.
struct DialogCode {
  int32_t selection = PLAT_LB_ERR;  // from the last selection notice
  std::u16string path;              // the path box at OK

  static int32_t Init(void* self, PlatDialog* dialog) {
    for (const std::u16string& entry : kEntries) {
      plat_dialog_send_item_message(dialog, kLoadDialogList, PLAT_LB_ADDSTRING, 0,
                                    reinterpret_cast<intptr_t>(entry.c_str()));
    }
    plat_dialog_set_item_text(dialog, kLoadDialogPathBox, u"start");
    static_cast<DialogCode*>(self)->selection = PLAT_LB_ERR;
    return 1;
  }

  static void Command(void* self, PlatDialog* dialog, int32_t control, int32_t notification) {
    auto& code = *static_cast<DialogCode*>(self);
    if (control == kLoadDialogList && notification == PLAT_LBN_SELCHANGE) {
      code.selection = static_cast<int32_t>(
          plat_dialog_send_item_message(dialog, kLoadDialogList, PLAT_LB_GETCURSEL, 0, 0));
    } else if (control == kLoadDialogOk) {
      char16_t text[PLAT_MAX_PATH] = {};
      plat_dialog_get_item_text(dialog, kLoadDialogPathBox, text, PLAT_MAX_PATH);
      code.path = text;
      if (code.path.empty()) {
        plat_message_box(kEmptyPathMessage);
      } else {
        plat_dialog_end(dialog, PLAT_IDOK);
      }
    } else if (control == kLoadDialogCancel) {
      plat_dialog_end(dialog, PLAT_IDCANCEL);
    }
  }
};

struct DialogRow {
  const char* name;
  std::function<void(ScriptUser&)> queue;
  int32_t result;
  int32_t selection;
  std::u16string path;  // the path box at the last OK; empty when OK was never pressed
  std::vector<std::u16string> messages;
};

const DialogRow kDialogRows[] = {
    {"SelectTypeOk",
     [](ScriptUser& user) {
       user.QueueSelect(kLoadDialogList, 1);
       user.QueueType(kLoadDialogPathBox, u"b.bmp");
       user.QueueOk();
     },
     PLAT_IDOK,
     1,
     u"b.bmp",
     {}},
    {"NothingQueuedCancels", [](ScriptUser&) {}, PLAT_IDCANCEL, PLAT_LB_ERR, u"", {}},
    {"EntryPastTheListIsSkipped",
     [](ScriptUser& user) {
       user.QueueSelect(kLoadDialogList, 7);
       user.QueueOk();
     },
     PLAT_IDOK,
     PLAT_LB_ERR,
     u"start",
     {}},
    {"MessageInsideTheDialogThenCancel",
     [](ScriptUser& user) {
       user.QueueType(kLoadDialogPathBox, u"");
       user.QueueOk();
     },
     PLAT_IDCANCEL,
     PLAT_LB_ERR,
     u"",
     {kEmptyPathMessage}},
};

class UiContract : public testing::TestWithParam<DialogRow> {};

TEST_P(UiContract, DialogGetsTheUsersActionsInOrder) {
  const DialogRow& row = GetParam();
  ScriptUser user;
  row.queue(user);
  DialogCode code;
  const PlatDialogHandlers handlers{&code, DialogCode::Init, DialogCode::Command};
  EXPECT_EQ(plat_dialog_run_modal(&kLoadDialogTemplate, &handlers), row.result);
  EXPECT_EQ(code.selection, row.selection);
  EXPECT_EQ(code.path, row.path);
  EXPECT_EQ(user.messages(), row.messages);
}

INSTANTIATE_TEST_SUITE_P(Rows, UiContract, testing::ValuesIn(kDialogRows),
                         [](const testing::TestParamInfo<DialogRow>& info) {
                           return std::string(info.param.name);
                         });

TEST(UiContractMessageBox, IsAnsweredWithOkAndItsTextKept) {
  ScriptUser user;
  EXPECT_EQ(plat_message_box(u"Stamp file open error"), PLAT_IDOK);
  EXPECT_EQ(plat_message_box(u"Stamp:data file load error"), PLAT_IDOK);
  EXPECT_EQ(user.messages(),
            (std::vector<std::u16string>{u"Stamp file open error", u"Stamp:data file load error"}));
}

TEST(UiContractFilePicker, ChoosesTheAnsweredFileThenCancels) {
  const TempFolder folder;
  const std::filesystem::path file = folder / "sheet.bmp";
  WriteFile(file, "BM");
  ScriptUser user;
  user.QueueFileAnswer(file.u16string());
  user.QueueFileCancel();
  char16_t chosen[PLAT_MAX_PATH] = {};
  PlatOpenFileName request{};
  request.lStructSize = sizeof request;
  request.lpstrFilter = u"Stamp sheets (*.bmp)\0*.bmp\0";
  request.lpstrFile = chosen;
  request.nMaxFile = PLAT_MAX_PATH;
  ASSERT_EQ(plat_get_open_file_name(&request), 1);
  EXPECT_EQ(std::filesystem::path(std::u16string(chosen)), file);
  EXPECT_EQ(plat_get_open_file_name(&request), 0) << "the second picker is cancelled";
}

}  // namespace
}  // namespace stamp
