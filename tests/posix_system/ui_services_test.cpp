#include <gtest/gtest.h>

#include "platform/scripted_ui/scripted_ui.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

// The file-dialog request a caller builds: a filter of (description, pattern) pairs ended by a
// double zero, an initial file name in a buffer of kFileUnits.
constexpr uint32_t kFileUnits = 16;
constexpr char16_t kFilter[] = u"Bmp Files (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0";

struct FileRequest {
  FileRequest(std::u16string_view initial) {
    initial.copy(file, initial.size());
    request.lStructSize = 76;
    request.lpstrFilter = kFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = kFileUnits;
    request.lpstrDefExt = u"BMP";
  }
  char16_t file[kFileUnits] = {};
  PlatOpenFileName request{};
};

class UiServices : public ::testing::Test {
 protected:
  void SetUp() override { window = plat_create_window(); }
  void TearDown() override { plat_destroy_window(window); }
  ScriptedUi ui;
  PlatHandle window = 0;
};

TEST_F(UiServices, WithoutBackEndServicesDoWithout) {
  FileRequest open(u"a.bmp");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(plat_message_box(u"Stamp:data file load error"), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Stamp:data file load error\n");
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CXSCREEN), 0);
  EXPECT_EQ(plat_get_open_file_name(&open.request), 0);
  EXPECT_EQ(plat_sh_full_screen(window, PLAT_SHFS_SHOWTASKBAR), 1);
  EXPECT_EQ(plat_set_window_pos(window, PLAT_HWND_TOP, 1, 2, 3, 4, 0), 1);
}

TEST_F(UiServices, ScriptedBackEndRecordsRequestsInOrder) {
  ui.Install();
  EXPECT_EQ(plat_message_box(u"Please load stamp"), 1);
  EXPECT_EQ(plat_sh_full_screen(window, 5), 1);
  EXPECT_EQ(plat_set_window_pos(window, PLAT_HWND_TOP, 0, 0, 240, 320, PLAT_SWP_FRAMECHANGED), 1);
  EXPECT_EQ(plat_sh_full_screen(window, 10), 1);
  EXPECT_EQ(ui.messages(), std::vector<std::u16string>{u"Please load stamp"});
  EXPECT_EQ(ui.fullScreenCalls(),
            (std::vector<ScriptedUi::FullScreenCall>{{window, 5}, {window, 10}}));
  EXPECT_EQ(
      ui.windowPosCalls(),
      (std::vector<ScriptedUi::WindowPosCall>{{window, PLAT_HWND_TOP, 0, 0, 240, 320, 0x20}}));
}

TEST_F(UiServices, ScreenSizeIsConfigurable) {
  ui.Install();
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CXSCREEN), 240);
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CYSCREEN), 320);
  ui.SetScreenSize(480, 640);
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CXSCREEN), 480);
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CYSCREEN), 640);
  EXPECT_EQ(plat_get_system_metrics(42), 0);
}

TEST_F(UiServices, WindowRequestsNeedALiveWindow) {
  ui.Install();
  const PlatHandle gone = plat_create_window();
  ASSERT_EQ(plat_destroy_window(gone), 1);
  EXPECT_EQ(plat_set_window_pos(gone, PLAT_HWND_TOP, 0, 0, 1, 1, 0), 0);
  EXPECT_EQ(plat_sh_full_screen(gone, 5), 0);
  EXPECT_EQ(plat_destroy_window(gone), 0);
  EXPECT_TRUE(ui.windowPosCalls().empty());
  EXPECT_TRUE(ui.fullScreenCalls().empty());
}

TEST_F(UiServices, WindowKeepsPositionAndSizeUnlessFlagsSayNot) {
  ASSERT_EQ(plat_set_window_pos(window, PLAT_HWND_TOP, 10, 20, 30, 40, 0), 1);
  ASSERT_EQ(plat_set_window_pos(window, PLAT_HWND_TOP, 1, 2, 3, 4, 0x43), 1);
  PlatRect placed{};
  ASSERT_EQ(plat_get_window_rect(window, &placed), 1);
  EXPECT_EQ(std::vector<int32_t>({placed.left, placed.top, placed.right, placed.bottom}),
            std::vector<int32_t>({10, 20, 40, 60}));
  EXPECT_EQ(plat_is_window_visible(window), 1);
}

TEST_F(UiServices, FileDialogRecordsRequestAndCutsAnswerToBuffer) {
  ui.Install();
  ui.QueueFileAnswer(u"\\cards\\a-very-long-name.bmp");
  FileRequest open(u"\\old.bmp");
  ASSERT_EQ(plat_get_open_file_name(&open.request), 1);
  EXPECT_EQ(std::u16string(open.file), u"\\cards\\a-very-l");
  ASSERT_EQ(ui.fileDialogRequests().size(), 1u);
  const ScriptedUi::FileDialogRequest& seen = ui.fileDialogRequests()[0];
  EXPECT_FALSE(seen.save);
  EXPECT_EQ(seen.structSize, 76u);
  EXPECT_EQ(seen.filters, (std::vector<std::pair<std::u16string, std::u16string>>{
                              {u"Bmp Files (*.bmp)", u"*.bmp"}, {u"All Files (*.*)", u"*.*"}}));
  EXPECT_EQ(seen.filterIndex, 1u);
  EXPECT_EQ(seen.defaultExtension, u"BMP");
  EXPECT_EQ(seen.initialFile, u"\\old.bmp");
  EXPECT_EQ(seen.maxFile, kFileUnits);
}

TEST_F(UiServices, FileDialogCancelsOnRequestAndWhenQueueIsEmpty) {
  ui.Install();
  ui.QueueFileCancel();
  FileRequest open(u"keep.bmp");
  EXPECT_EQ(plat_get_open_file_name(&open.request), 0);
  EXPECT_EQ(plat_get_save_file_name(&open.request), 0);
  EXPECT_EQ(std::u16string(open.file), u"keep.bmp");
  ASSERT_EQ(ui.fileDialogRequests().size(), 2u);
  EXPECT_TRUE(ui.fileDialogRequests()[1].save);
}

TEST_F(UiServices, ScriptedUiUninstallsItselfWhenDestroyed) {
  {
    ScriptedUi temporary;
    temporary.Install();
    EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CXSCREEN), 240);
  }
  EXPECT_EQ(plat_get_system_metrics(PLAT_SM_CXSCREEN), 0);
}

}  // namespace
}  // namespace stamp::platform
