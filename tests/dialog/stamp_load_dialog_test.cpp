// The load dialog run by the scripted UI: the stamp folder's listing, selection, typing, OK and
// Cancel.
#include "src/dialog/stamp_load_dialog.h"

#include <cstdio>
#include <fstream>

#include "dialog_fixture.h"
#include "stamp/platform_host.h"
#include "src/resources/load_dialog_template.h"

namespace stamp::test {
namespace {

using LoadDialogTest = DialogTest;

// "sheet59.bmp" ... "sheet00.bmp", made in descending order so that no listing order is implied.
std::vector<std::string> SheetNames(int count) {
  std::vector<std::string> names;
  for (int i = count - 1; i >= 0; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "sheet%02d.bmp", i);
    names.emplace_back(name);
  }
  return names;
}

TEST_F(LoadDialogTest, ListsTheFirstFiftyFilesInEnumerationOrder) {
  std::vector<std::string> names = SheetNames(60);
  names.push_back("notes.txt");
  MakeStampFolder(names);
  const std::vector<std::u16string> enumerated = EnumerateStampFolder();
  ASSERT_EQ(enumerated.size(), 60u);

  StampLoadDialog dialog;
  EXPECT_EQ(dialog.DoModal(), PLAT_IDCANCEL);
  const std::vector<std::u16string> listed = lastRun().lists.at(kLoadDialogList);
  EXPECT_EQ(listed, std::vector<std::u16string>(enumerated.begin(), enumerated.begin() + 50));
}

TEST_F(LoadDialogTest, ShowsOnTopWithoutMovingOrSizing) {
  StampLoadDialog dialog;
  dialog.DoModal();
  const platform::ScriptedUi::WindowPosCall onTop{
      lastRun().window, PLAT_HWND_TOP, 0, 0, 0, 0, 0x43};
  EXPECT_EQ(ui.windowPosCalls(), std::vector{onTop});
}

class LoadDialogSelection : public DialogTest, public ::testing::WithParamInterface<int> {};

// The list is not sorted: entry k is the k-th enumerated file, whose full path is the stamp
// folder beside the program followed by its name.
TEST_P(LoadDialogSelection, FillsThePathBoxWithTheFullPath) {
  MakeStampFolder(SheetNames(60));
  const std::u16string expected =
      folderText() + u"stamp\\" + EnumerateStampFolder().at(static_cast<size_t>(GetParam()));
  ui.QueueSelect(kLoadDialogList, GetParam());
  ui.QueueOk();

  StampLoadDialog dialog;
  EXPECT_EQ(dialog.DoModal(), PLAT_IDOK);
  EXPECT_EQ(dialog.path(), expected);
  EXPECT_EQ(lastRun().texts.at(kLoadDialogPathBox), expected);
  EXPECT_EQ(lastRun().selections.at(kLoadDialogList), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Entries, LoadDialogSelection, ::testing::Values(0, 1, 31, 49));

TEST_F(LoadDialogTest, ShowsTheStartingPathAndKeepsItOnCancel) {
  ui.QueueType(kLoadDialogPathBox, u"\\typed.bmp");
  ui.QueueCancel();
  StampLoadDialog dialog;
  dialog.setPath(u"\\cards\\start.bmp");
  EXPECT_EQ(dialog.DoModal(), PLAT_IDCANCEL);
  EXPECT_EQ(dialog.path(), u"\\cards\\start.bmp");
  EXPECT_EQ(lastRun().texts.at(kLoadDialogPathBox), u"\\typed.bmp");
}

// Without a stamp folder the list is empty; typing and the File button still work.
TEST_F(LoadDialogTest, WithoutStampFolderTypingAndFileStillWork) {
  ui.QueueType(kLoadDialogPathBox, u"\\elsewhere\\typed.bmp");
  ui.QueueOk();
  StampLoadDialog typed;
  EXPECT_EQ(typed.DoModal(), PLAT_IDOK);
  EXPECT_EQ(typed.path(), u"\\elsewhere\\typed.bmp");
  EXPECT_TRUE(lastRun().lists.at(kLoadDialogList).empty());

  ui.QueueFileAnswer(u"\\picked\\sheet.bmp");
  ui.QueueClick(kLoadDialogFileButton);
  ui.QueueOk();
  StampLoadDialog picked;
  EXPECT_EQ(picked.DoModal(), PLAT_IDOK);
  EXPECT_EQ(picked.path(), u"\\picked\\sheet.bmp");
}

// The program path's folder decides the stamp folder, not the working folder or a parent.
TEST_F(LoadDialogTest, StampFolderIsBesideTheProgram) {
  MakeStampFolder({"parent.bmp"});
  std::filesystem::create_directories(folder / "sub" / "stamp");
  std::ofstream(folder / "sub" / "stamp" / "child.BMP").flush();
  plat_set_program_path((folder / "sub" / "stamp-host").c_str());

  StampLoadDialog dialog;
  dialog.DoModal();
  EXPECT_EQ(lastRun().lists.at(kLoadDialogList), std::vector<std::u16string>{u"child.BMP"});
}

// A selection change that arrives while nothing is selected names no stored file.
class SelectionChangeWithoutSelection : public StampLoadDialog {
 protected:
  int32_t OnInitDialog() override {
    const int32_t result = StampLoadDialog::OnInitDialog();
    OnCommand(kLoadDialogList, PLAT_LBN_SELCHANGE);
    return result;
  }
};

TEST_F(LoadDialogTest, SelectionChangeWithoutSelectionKeepsThePath) {
  MakeStampFolder(SheetNames(3));
  ui.QueueOk();
  SelectionChangeWithoutSelection dialog;
  dialog.setPath(u"\\kept.bmp");
  EXPECT_EQ(dialog.DoModal(), PLAT_IDOK);
  EXPECT_EQ(dialog.path(), u"\\kept.bmp");
}

TEST_F(LoadDialogTest, WithoutUiTheRunFails) {
  ui.Uninstall();
  StampLoadDialog dialog;
  dialog.setPath(u"\\kept.bmp");
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(dialog.path(), u"\\kept.bmp");
}

}  // namespace
}  // namespace stamp::test
