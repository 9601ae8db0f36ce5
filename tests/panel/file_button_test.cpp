// The file button: the load dialog run around the shell's full-screen control, the new sheet on
// OK, everything kept on cancel, and the frame window given the screen in either case.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "panel/panel_fixture.h"
#include "src/plugin/events.h"
#include "src/resources/load_dialog_template.h"

namespace stamp::test {
namespace {

using FullScreen = platform::ScriptedUi::FullScreenCall;
using WindowPos = platform::ScriptedUi::WindowPosCall;

constexpr int32_t kButtonX = 205;
constexpr int32_t kButtonY = 105;
constexpr int32_t kScreenWidth = 480;
constexpr int32_t kScreenHeight = 800;

class FileButtonTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ui.SetScreenSize(kScreenWidth, kScreenHeight);
    module().settings.stampPath = u"C:\\sheets\\old.bmp";
    module().settings.angle = 45;
    module().settings.selection = 3;
    module().settings.reduction = 20;
  }
  int32_t Press() {
    int32_t result = -1;
    rebuild = Observe([&] { result = PanelUp(kButtonX, kButtonY); });
    return result;
  }
  // Window positions asked for other than the dialog's own.
  std::vector<WindowPos> HostWindowPositions() const {
    std::vector<WindowPos> calls;
    for (const WindowPos& call : ui.windowPosCalls()) {
      if (ui.dialogRuns().empty() || call.window != ui.dialogRuns()[0].window)
        calls.push_back(call);
    }
    return calls;
  }
  // The shell shown around the dialog and hidden after it; the frame window given the screen.
  void ExpectScreenGivenBack() const {
    const PlatHandle main = host.mainWindow();
    EXPECT_EQ(ui.fullScreenCalls(), (std::vector<FullScreen>{{main, 5}, {main, 10}}));
    EXPECT_EQ(HostWindowPositions(),
              (std::vector<WindowPos>{{host.frameWindowHandle(), PLAT_HWND_TOP, 0, 0, kScreenWidth,
                                       kScreenHeight, 32}}));
  }
  // The PanelImage's twelve cells against a sheet's first 120x90 pixels.
  bool CellsAre(const Bytes& sheet) const {
    const Plane image = PanelPlane(module().panelImage.pixels);
    const Plane cells{const_cast<uint8_t*>(sheet.data()), 120, 90,
                      static_cast<int64_t>(sheet.size())};
    for (int64_t y = 0; y < 90; ++y) {
      for (int64_t x = 0; x < 120; ++x) {
        if (std::memcmp(image.bytes + image.Inside(70 + x, y), cells.bytes + cells.Inside(x, y), 3))
          return false;
      }
    }
    return true;
  }
  Rebuild rebuild = Rebuild::None;
};

TEST_F(FileButtonTest, CancelKeepsEveryStateAndGivesTheScreenBack) {
  ui.QueueCancel();
  const Bytes cells(module().panelImage.pixels, module().panelImage.pixels + kPanelImageBytes);
  EXPECT_EQ(Press(), 2);
  ASSERT_EQ(ui.dialogRuns().size(), 1u);
  EXPECT_EQ(ui.dialogRuns()[0].result, PLAT_IDCANCEL);
  EXPECT_EQ(ui.dialogRuns()[0].texts.at(kLoadDialogPathBox), u"C:\\sheets\\old.bmp");
  EXPECT_EQ(rebuild, Rebuild::None);
  EXPECT_EQ(module().settings.stampPath, u"C:\\sheets\\old.bmp");
  EXPECT_EQ(module().settings.angle, 45);
  EXPECT_EQ(module().settings.selection, 3);
  EXPECT_EQ(module().settings.reduction, 20);
  EXPECT_FALSE(module().sheet.loaded());
  const uint8_t* pixels = module().panelImage.pixels;
  EXPECT_EQ(Bytes(pixels, pixels + kPanelImageBytes), cells);
  EXPECT_EQ(ui.messages(), Texts{});
  ExpectScreenGivenBack();
}

TEST_F(FileButtonTest, ChosenSampleSheetReplacesTheCells) {
  ui.QueueSelect(kLoadDialogList, 1);
  ui.QueueOk();
  EXPECT_EQ(Press(), 2);
  ASSERT_EQ(ui.dialogRuns().size(), 1u);
  const std::u16string name = ui.dialogRuns()[0].lists.at(kLoadDialogList).at(1);
  const std::filesystem::path sheet = HostFolder() / "stamp" / std::filesystem::path(name);
  EXPECT_EQ(module().settings.stampPath, WindowsPath(sheet));
  EXPECT_TRUE(module().sheet.loaded());
  EXPECT_TRUE(CellsAre(SheetCells(sheet)));
  EXPECT_EQ(module().settings.angle, 0);
  EXPECT_EQ(module().settings.selection, 0);
  EXPECT_EQ(module().settings.reduction, 20);
  EXPECT_EQ(rebuild, Rebuild::WithExtraction);
  EXPECT_EQ(ui.messages(), Texts{});
  ExpectScreenGivenBack();
}

TEST_F(FileButtonTest, ConfirmedSheetThatFailsStillResetsAngleAndCell) {
  const std::u16string missing = WindowsPath(HostFolder() / "stamp" / "no such sheet.bmp");
  ui.QueueType(kLoadDialogPathBox, missing);
  ui.QueueOk();
  EXPECT_EQ(Press(), 2);
  EXPECT_EQ(ui.messages(), Texts{u"Stamp file open error"});
  EXPECT_EQ(module().settings.stampPath, missing);
  EXPECT_FALSE(module().sheet.loaded());
  EXPECT_EQ(module().settings.angle, 0);
  EXPECT_EQ(module().settings.selection, 0);
  EXPECT_EQ(rebuild, Rebuild::WithExtraction);
  ExpectScreenGivenBack();
}

// A record without a frame window object: nothing to re-position, and no crash.
TEST_F(FileButtonTest, MissingFrameWindowSkipsOnlyTheRepositioning) {
  host.setInt(STAMP_REC_FRAME_WINDOW, 0);
  ui.QueueCancel();
  EXPECT_EQ(Press(), 2);
  const PlatHandle main = host.mainWindow();
  EXPECT_EQ(ui.fullScreenCalls(), (std::vector<FullScreen>{{main, 5}, {main, 10}}));
  EXPECT_TRUE(HostWindowPositions().empty());
}

}  // namespace
}  // namespace stamp::test
