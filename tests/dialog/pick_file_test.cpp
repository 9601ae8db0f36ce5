// The "File" button and PickFile: the picker library beside the program when it has tGetFile,
// the system's file dialogs when no library is there.
#include "src/dialog/pick_file.h"

#include <algorithm>

#include "dialog_fixture.h"
#include "src/dialog/stamp_load_dialog.h"
#include "src/resources/load_dialog_template.h"

namespace stamp::test {
namespace {

using Filters = std::vector<std::pair<std::u16string, std::u16string>>;

class FileButtonTest : public DialogTest {
 protected:
  // Runs the dialog from the starting path: the user types over the path box, presses File,
  // then OK.
  int32_t TypeThenPick(const std::u16string& start) {
    ui.QueueType(kLoadDialogPathBox, u"\\typed.bmp");
    ui.QueueClick(kLoadDialogFileButton);
    ui.QueueOk();
    dialog.setPath(start);
    return dialog.DoModal();
  }

  StampLoadDialog dialog;
};

TEST_F(FileButtonTest, PickerLibraryAnswerReplacesThePath) {
  PickerScript* script = InstallPicker(STAMP_TEST_PICKER);
  ASSERT_NE(script, nullptr);
  script->result = 1;
  std::copy_n(u"\\picked\\sheet.bmp", 18, script->answer);

  EXPECT_EQ(TypeThenPick(u"\\start.bmp"), PLAT_IDOK);
  EXPECT_EQ(dialog.path(), u"\\picked\\sheet.bmp");
  EXPECT_EQ(lastRun().texts.at(kLoadDialogPathBox), u"\\picked\\sheet.bmp");
  EXPECT_EQ(script->calls, 1);
  EXPECT_EQ(script->lastMode, kPickOpen);
  // The picker starts from the path as last set, not from what was typed.
  EXPECT_EQ(std::u16string(script->lastFile), u"\\start.bmp");
  EXPECT_EQ(script->lastRequest.nMaxFile, 261u);
  EXPECT_TRUE(ui.fileDialogRequests().empty());
}

// A picker that cancels, or a library without tGetFile, leaves the path box as the user left it.
TEST_F(FileButtonTest, PickerCancelLeavesThePathBox) {
  PickerScript* script = InstallPicker(STAMP_TEST_PICKER);
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(TypeThenPick(u"\\start.bmp"), PLAT_IDOK);
  EXPECT_EQ(script->calls, 1);
  EXPECT_EQ(dialog.path(), u"\\typed.bmp");
}

TEST_F(FileButtonTest, LibraryWithoutEntryPicksNothing) {
  InstallPicker(STAMP_TEST_PICKER_WITHOUT_ENTRY);
  ui.QueueFileAnswer(u"\\system\\answer.bmp");
  EXPECT_EQ(TypeThenPick(u"\\start.bmp"), PLAT_IDOK);
  EXPECT_EQ(dialog.path(), u"\\typed.bmp");
  EXPECT_TRUE(ui.fileDialogRequests().empty());
}

TEST_F(FileButtonTest, WithoutLibraryTheSystemDialogAnswers) {
  ui.QueueFileAnswer(u"\\system\\answer.bmp");
  EXPECT_EQ(TypeThenPick(u"\\start.bmp"), PLAT_IDOK);
  EXPECT_EQ(dialog.path(), u"\\system\\answer.bmp");

  ASSERT_EQ(ui.fileDialogRequests().size(), 1u);
  const platform::ScriptedUi::FileDialogRequest& request = ui.fileDialogRequests()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.structSize, sizeof(PlatOpenFileName));
  EXPECT_EQ(request.filters,
            (Filters{{u"Bmp Files (*.bmp)", u"*.bmp"}, {u"All Files (*.*)", u"*.*"}}));
  EXPECT_EQ(request.filterIndex, 1u);
  EXPECT_EQ(request.defaultExtension, u"BMP");
  EXPECT_EQ(request.initialFile, u"\\start.bmp");
  EXPECT_EQ(request.maxFile, 261u);
}

// A starting path longer than the file buffer is cut to fit it with its terminator.
TEST_F(FileButtonTest, LongStartingPathIsCutToTheFileBuffer) {
  const std::u16string start = u"\\" + std::u16string(299, u'x');
  ui.QueueFileCancel();
  EXPECT_EQ(TypeThenPick(start), PLAT_IDOK);
  ASSERT_EQ(ui.fileDialogRequests().size(), 1u);
  EXPECT_EQ(ui.fileDialogRequests()[0].initialFile, start.substr(0, 260));
}

// The library takes the mode and gives its result unchanged.
TEST_F(DialogTest, PickFilePassesModeAndResultThroughTheLibrary) {
  PickerScript* script = InstallPicker(STAMP_TEST_PICKER);
  ASSERT_NE(script, nullptr);
  script->result = 7;
  PlatOpenFileName request{};
  EXPECT_EQ(PickFile(kPickSave, &request), 7);
  EXPECT_EQ(script->lastMode, kPickSave);
}

// Without the library, open and save reach the system's dialogs; any other mode picks nothing.
struct ModeCase {
  int32_t mode;
  int32_t systemDialogs;
  int32_t save;  // 1: the save dialog
};

class PickFileMode : public DialogTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PickFileMode, WithoutLibraryUsesTheSystemDialogs) {
  ui.QueueFileAnswer(u"\\a.bmp");
  char16_t file[8] = {};
  PlatOpenFileName request{};
  request.lpstrFile = file;
  request.nMaxFile = 8;
  EXPECT_EQ(PickFile(GetParam().mode, &request), GetParam().systemDialogs);
  ASSERT_EQ(ui.fileDialogRequests().size(), static_cast<size_t>(GetParam().systemDialogs));
  if (GetParam().systemDialogs != 0) {
    EXPECT_EQ(ui.fileDialogRequests()[0].save, GetParam().save != 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, PickFileMode,
                         ::testing::Values(ModeCase{kPickOpen, 1, 0}, ModeCase{kPickSave, 1, 1},
                                           ModeCase{2, 0, 0}, ModeCase{-1, 0, 0}));

}  // namespace
}  // namespace stamp::test
