#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scripted_ui/scripted_ui.h"
#include "platform_contract/contract_support.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"

namespace stamp::platform {
namespace {

// The chooser's controls beside OK and Cancel: a path box, its browse button and the list.
enum ChooserControl : int32_t { kEdit = 1000, kBrowse, kList };
constexpr int32_t kTemplateId = 4308;

PlatDialogTemplate MakeTemplate(const PlatDialogControl* controls, int32_t count) {
  return {kTemplateId, u"Load", u"Tahoma", 9, 0, 0, 135, 133, PLAT_WS_POPUP, count, controls};
}

const PlatDialogControl kControls[] = {
    {PLAT_IDOK, PLAT_CONTROL_DEFAULT_PUSH_BUTTON, u"OK", 30, 115, 50, 15, PLAT_WS_CHILD},
    {PLAT_IDCANCEL, PLAT_CONTROL_PUSH_BUTTON, u"Cancel", 80, 115, 50, 15, PLAT_WS_CHILD},
    {kEdit, PLAT_CONTROL_EDIT, u"", 5, 5, 105, 15, PLAT_WS_CHILD},
    {kBrowse, PLAT_CONTROL_PUSH_BUTTON, u"File", 110, 5, 20, 15, PLAT_WS_CHILD},
    {kList, PLAT_CONTROL_LIST_BOX, nullptr, 5, 25, 125, 85, PLAT_WS_CHILD | PLAT_LBS_NOTIFY}};
const PlatDialogTemplate kTemplate = MakeTemplate(kControls, 5);

// A small chooser written against the dialog calls: it lists entries at init, copies a selected
// entry into the edit box, fills it from the file dialog, and takes the edit text on OK.
class Chooser {
 public:
  explicit Chooser(std::vector<std::u16string> entries) : entries_(std::move(entries)) {}

  int32_t Run(const PlatDialogTemplate& dialogTemplate = kTemplate) {
    const PlatDialogHandlers handlers{this, &Init, &Command};
    return plat_dialog_run_modal(&dialogTemplate, &handlers);
  }

  std::vector<std::string> log;
  std::u16string chosen;
  bool ignoreCancel = false;

 private:
  static int32_t Init(void* self, PlatDialog* dialog) {
    auto* chooser = static_cast<Chooser*>(self);
    chooser->log.push_back("init");
    for (const std::u16string& entry : chooser->entries_) {
      const intptr_t index = plat_dialog_send_item_message(
          dialog, kList, PLAT_LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(entry.c_str()));
      chooser->log.push_back("added " + std::to_string(index));
    }
    plat_dialog_set_window_pos(dialog, PLAT_HWND_TOP, 0, 0, 0, 0, 0x43);
    return 1;
  }

  static void Command(void* self, PlatDialog* dialog, int32_t id, int32_t notification) {
    auto* chooser = static_cast<Chooser*>(self);
    const intptr_t selection =
        plat_dialog_send_item_message(dialog, kList, PLAT_LB_GETCURSEL, 0, 0);
    chooser->log.push_back(std::to_string(id) + "/" + std::to_string(notification) + " sel " +
                           std::to_string(selection));
    if (id == kList && notification == PLAT_LBN_SELCHANGE) {
      plat_dialog_set_item_text(dialog, kEdit, plat_dialog_list_entry(dialog, kList, selection));
    } else if (id == kBrowse) {
      char16_t file[PLAT_MAX_PATH + 1] = u"";
      PlatOpenFileName request{};
      request.lpstrFile = file;
      request.nMaxFile = PLAT_MAX_PATH + 1;
      if (plat_get_open_file_name(&request) != 0) plat_dialog_set_item_text(dialog, kEdit, file);
    } else if (id == PLAT_IDOK) {
      char16_t text[PLAT_MAX_PATH];
      plat_dialog_get_item_text(dialog, kEdit, text, PLAT_MAX_PATH);
      chooser->chosen = text;
      plat_dialog_end(dialog, PLAT_IDOK);
    } else if (id == PLAT_IDCANCEL && !chooser->ignoreCancel) {
      plat_dialog_end(dialog, PLAT_IDCANCEL);
    }
  }

  std::vector<std::u16string> entries_;
};

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override { ui.Install(); }
  const test::NoObjectLeft noObjectLeft;
  ScriptedUi ui;
  Chooser chooser{{u"a.bmp", u"b.bmp", u"c.bmp"}};
};

TEST_F(Dialog, SelectionNotifiesAfterItIsSetAndOkReturnsTheEntry) {
  ui.QueueSelect(kList, 2);
  ui.QueueOk();
  EXPECT_EQ(chooser.Run(), PLAT_IDOK);
  EXPECT_EQ(chooser.log, (std::vector<std::string>{"init", "added 0", "added 1", "added 2",
                                                   "1002/1 sel 2", "1/0 sel 2"}));
  EXPECT_EQ(chooser.chosen, u"c.bmp");
  ASSERT_EQ(ui.dialogRuns().size(), 1u);
  const ScriptedUi::DialogRun& run = ui.dialogRuns()[0];
  EXPECT_EQ(run.resourceId, kTemplateId);
  EXPECT_EQ(run.lists.at(kList), (std::vector<std::u16string>{u"a.bmp", u"b.bmp", u"c.bmp"}));
  EXPECT_EQ(run.selections.at(kList), 2);
  EXPECT_EQ(run.texts.at(kEdit), u"c.bmp");
  EXPECT_EQ(run.texts.at(kBrowse), u"File");
  EXPECT_EQ(run.result, PLAT_IDOK);
}

TEST_F(Dialog, TypedTextIsWhatOkTakes) {
  ui.QueueSelect(kList, 0);
  ui.QueueType(kEdit, u"\\typed\\path.bmp");
  ui.QueueOk();
  EXPECT_EQ(chooser.Run(), PLAT_IDOK);
  EXPECT_EQ(chooser.chosen, u"\\typed\\path.bmp");
}

TEST_F(Dialog, BrowseButtonFillsTheBoxFromTheFileDialog) {
  ui.QueueFileAnswer(u"\\picked.bmp");
  ui.QueueClick(kBrowse);
  ui.QueueOk();
  EXPECT_EQ(chooser.Run(), PLAT_IDOK);
  EXPECT_EQ(chooser.chosen, u"\\picked.bmp");
}

TEST_F(Dialog, DryQueueCancelsAndLeftoverActionsWaitForTheNextDialog) {
  ui.QueueCancel();
  ui.QueueOk();
  EXPECT_EQ(chooser.Run(), PLAT_IDCANCEL);
  EXPECT_EQ(chooser.Run(), PLAT_IDOK);
  EXPECT_EQ(chooser.Run(), PLAT_IDCANCEL);
  EXPECT_EQ(ui.dialogRuns().size(), 3u);
}

TEST_F(Dialog, DialogReportsItsPlacementWithItsOwnWindow) {
  chooser.Run();
  ASSERT_EQ(ui.windowPosCalls().size(), 1u);
  EXPECT_NE(ui.windowPosCalls()[0].window, 0u);
  EXPECT_EQ(ui.windowPosCalls()[0].window, ui.dialogRuns()[0].window);
  EXPECT_EQ(ui.windowPosCalls()[0].flags, 0x43u);
}

TEST_F(Dialog, RefusedActionsAreCountedAndSendNothing) {
  ui.QueueSelect(kList, 3);   // past the end
  ui.QueueSelect(kEdit, 0);   // not a list
  ui.QueueType(kList, u"x");  // not an edit box
  ui.QueueClick(kEdit);       // not a button
  ui.QueueClick(4242);        // no such control
  EXPECT_EQ(chooser.Run(), PLAT_IDCANCEL);
  EXPECT_EQ(ui.dialogRuns()[0].refusedActions, 5);
  EXPECT_EQ(chooser.log.back(), "2/0 sel -1");
  EXPECT_EQ(chooser.log.size(), 5u);
}

TEST_F(Dialog, ListWithoutNotifyStyleSendsNoSelectionChange) {
  PlatDialogControl controls[5];
  std::copy(std::begin(kControls), std::end(kControls), controls);
  controls[4].style = PLAT_WS_CHILD;
  ui.QueueSelect(kList, 1);
  ui.QueueOk();
  EXPECT_EQ(chooser.Run(MakeTemplate(controls, 5)), PLAT_IDOK);
  EXPECT_EQ(chooser.log.back(), "1/0 sel 1");
  EXPECT_EQ(chooser.chosen, u"");
}

TEST_F(Dialog, DialogThatNeverEndsGivesMinusOne) {
  chooser.ignoreCancel = true;
  EXPECT_EQ(chooser.Run(), -1);
  EXPECT_FALSE(ui.dialogRuns()[0].result.has_value());
}

TEST_F(Dialog, WithoutBackEndNothingRuns) {
  ui.Uninstall();
  EXPECT_EQ(chooser.Run(), -1);
  EXPECT_TRUE(chooser.log.empty());
}

// The list-box messages, checked from inside a running dialog.
TEST_F(Dialog, ListMessagesAnswerLikeAListBox) {
  struct Probe {
    static int32_t Init(void* self, PlatDialog* dialog) {
      auto& answers = *static_cast<std::vector<intptr_t>*>(self);
      const auto send = [&](int32_t id, uint32_t message, intptr_t wParam, intptr_t lParam) {
        answers.push_back(plat_dialog_send_item_message(dialog, id, message,
                                                        static_cast<uintptr_t>(wParam), lParam));
      };
      send(kList, PLAT_LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(u"x"));
      send(kList, PLAT_LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(u"y"));
      send(kList, PLAT_LB_ADDSTRING, 0, 0);
      send(kList, PLAT_LB_GETCOUNT, 0, 0);
      send(kList, PLAT_LB_SETCURSEL, 1, 0);
      send(kList, PLAT_LB_SETCURSEL, 2, 0);
      send(kList, PLAT_LB_GETCURSEL, 0, 0);
      send(kList, PLAT_LB_SETCURSEL, -1, 0);
      send(kList, PLAT_LB_GETCURSEL, 0, 0);
      send(kList, 0x0400, 0, 0);
      send(kEdit, PLAT_LB_GETCOUNT, 0, 0);
      plat_dialog_end(dialog, 7);
      return 1;
    }
  };
  std::vector<intptr_t> answers;
  const PlatDialogHandlers handlers{&answers, &Probe::Init, nullptr};
  EXPECT_EQ(plat_dialog_run_modal(&kTemplate, &handlers), 7);
  EXPECT_EQ(answers, (std::vector<intptr_t>{0, 1, -1, 2, 1, -1, 1, -1, -1, -1, -1}));
  EXPECT_TRUE(ui.dialogRuns().empty());  // ended during init: the back end never ran it
}

}  // namespace
}  // namespace stamp::platform
