// The load dialog run by the scripted UI in a fake host program: a fresh folder D holding the
// program "stamp-host", optionally a stamp\ folder of BMP names and a tgetfile.dll. The stamp
// folder's listing, selection, typing, OK and Cancel; the "File" button and PickFile, which use
// the picker library beside the program when it has tGetFile and the system's file dialogs when
// no library is there.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/portable/text_encoding.h"
#include "src/dialog/pick_file.h"
#include "src/dialog/stamp_load_dialog.h"
#include "src/resources/load_dialog_template.h"
#include "stamp/platform_host.h"
#include "support/plugin_test.h"
#include "support/test_files.h"
#include "test_picker.h"

namespace stamp::test {
namespace {

class DialogTest : public PluginTest {
 protected:
  DialogTest() { plat_set_program_path((folder / "stamp-host").c_str()); }
  ~DialogTest() override {
    if (picker_ != nullptr) ::dlclose(picker_);
    plat_set_program_path(nullptr);
  }

  // Creates D/stamp/ with an empty file for each name.
  void MakeStampFolder(const std::vector<std::string>& names) {
    std::filesystem::create_directories(folder / "stamp");
    for (const std::string& name : names) std::ofstream(folder / "stamp" / name).flush();
  }
  // The names plat_find_first_file/next give for D\stamp\*.bmp, in their order.
  std::vector<std::u16string> EnumerateStampFolder() const {
    std::vector<std::u16string> names;
    const std::u16string pattern = folderText() + u"stamp\\*.bmp";
    PlatFindData found{};
    const PlatHandle find = plat_find_first_file(pattern.c_str(), &found);
    if (find == 0) return names;
    do {
      names.emplace_back(found.fileName);
    } while (plat_find_next_file(find, &found) != 0);
    plat_find_close(find);
    return names;
  }
  // Copies a built picker library in as D/tgetfile.dll and keeps it loaded; its script when it
  // has one.
  PickerScript* InstallPicker(const char* libraryPath) {
    const std::filesystem::path installed = folder / "tgetfile.dll";
    std::filesystem::copy_file(libraryPath, installed);
    picker_ = ::dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (picker_ == nullptr) return nullptr;
    const auto scriptOf =
        reinterpret_cast<PickerScriptOfFunction>(::dlsym(picker_, kPickerScriptSymbol));
    return scriptOf != nullptr ? scriptOf() : nullptr;
  }
  // D in backslash form, ending in a backslash.
  std::u16string folderText() const {
    std::string text = folder.path().string() + "/";
    std::replace(text.begin(), text.end(), '/', '\\');
    return platform::FromUtf8(text);
  }
  const platform::ScriptedUi::DialogRun& lastRun() const {
    static const platform::ScriptedUi::DialogRun kNoRun;
    if (!ui.dialogRuns().empty()) return ui.dialogRuns().back();
    ADD_FAILURE() << "no dialog ran";
    return kNoRun;
  }

  const TempFolder folder;

 private:
  void* picker_ = nullptr;
};

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
