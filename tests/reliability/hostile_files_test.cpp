// Sheets that are no sheets, given through the profile at start-up and through the load dialog
// after a good sheet: the broken fixture files (empty, truncated, sides over the limit, a header
// promising 4 GiB, zero or overlapping masks, ...), a folder, a named pipe and a symbolic-link
// loop are refused with "Stamp file open error" and change no cell; the damaged files a Windows
// loader decodes (indices past the palette, RLE runs past the row and the picture) are loaded.
// A file that vanishes between the dialog's listing and the load is refused the same way.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/platform_testing.h"
#include "plugin/module_fixture.h"
#include "src/resources/load_dialog_template.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

const std::filesystem::path kBmpFixtures = STAMP_BMP_FIXTURE_DIR;

enum class Kind { BrokenFile, DecodableFile, Folder, NamedPipe, LinkLoop };

struct Hostile {
  std::string name;
  Kind kind;
  std::filesystem::path fixture;  // the fixture file, for the two kinds of file
};

void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.name; }

std::vector<Hostile> AllHostiles() {
  std::vector<Hostile> all = {{"folder", Kind::Folder, {}},
                              {"named_pipe", Kind::NamedPipe, {}},
                              {"link_loop", Kind::LinkLoop, {}}};
  for (const auto& [subfolder, kind] :
       {std::pair{"broken", Kind::BrokenFile}, std::pair{"odd", Kind::DecodableFile}}) {
    for (const auto& entry : std::filesystem::directory_iterator(kBmpFixtures / subfolder)) {
      all.push_back({entry.path().stem().string(), kind, entry.path()});
    }
  }
  return all;
}

class HostileFileTest : public ModuleTest, public testing::WithParamInterface<Hostile> {
 protected:
  // The hostile entry in the test's folder, under a name of its own.
  std::u16string Make(const std::string& name) {
    const std::filesystem::path path = folder / name;
    switch (GetParam().kind) {
      case Kind::BrokenFile:
      case Kind::DecodableFile: std::filesystem::copy_file(GetParam().fixture, path); break;
      case Kind::Folder: std::filesystem::create_directory(path); break;
      case Kind::NamedPipe: EXPECT_EQ(mkfifo(path.c_str(), 0600), 0); break;
      case Kind::LinkLoop: std::filesystem::create_symlink(path.filename(), path); break;
    }
    return WindowsPath(path);
  }
  // A refused entry shows its message, leaves no sheet and keeps the cells drawn before; a
  // decodable one is loaded silently.
  void ExpectRefusedOrLoaded(const Bytes& before) {
    const bool refused = GetParam().kind != Kind::DecodableFile;
    EXPECT_EQ(ui.messages(), refused ? Texts{kOpenError} : Texts{});
    EXPECT_EQ(StrokeTaken(), !refused);
    if (refused) {
      EXPECT_EQ(DrawnPanel(), before);
    }
  }
};

TEST_P(HostileFileTest, AtStartUpIsRefusedOrLoadedWholly) {
  ASSERT_EQ(Start(), 1);
  const Bytes withoutSheet = DrawnPanel();
  plugin.destroy();

  StoreSheetPath(Make("at_start_up.bmp"));
  EXPECT_EQ(Start(), 1);
  ExpectRefusedOrLoaded(withoutSheet);
}

TEST_P(HostileFileTest, ThroughTheDialogKeepsTheCellsOfTheSheetBefore) {
  StoreSheetPath(WriteSheet("good.bmp", 7));
  ASSERT_EQ(Start(), 1);
  const Bytes goodSheet = DrawnPanel();
  EXPECT_EQ(LoadThroughDialog(Make("in_dialog.bmp")), STAMP_RESULT_PANEL_CHANGED);
  ExpectRefusedOrLoaded(goodSheet);
}

INSTANTIATE_TEST_SUITE_P(Entries, HostileFileTest, testing::ValuesIn(AllHostiles()),
                         [](const auto& info) { return info.param.name; });

// A UI back end that picks the first sheet of the load dialog's list, deletes its file, then
// confirms, and records the message boxes.
struct VanishingPick {
  std::filesystem::path file;
  Texts messages;

  static void RunDialog(void* self, PlatDialog* dialog) {
    plat_dialog_user_select(dialog, kLoadDialogList, 0);
    std::filesystem::remove(static_cast<VanishingPick*>(self)->file);
    plat_dialog_user_click(dialog, kLoadDialogOk);
  }
  static void MessageBox(void* self, const char16_t* text) {
    static_cast<VanishingPick*>(self)->messages.emplace_back(text);
  }
};

TEST_F(ModuleTest, SheetThatVanishesBetweenListingAndLoadingIsRefused) {
  StoreSheetPath(WriteSheet("good.bmp", 7));
  ASSERT_EQ(Start(), 1);
  const Bytes goodSheet = DrawnPanel();
  std::filesystem::create_directory(folder / "stamp");
  std::filesystem::copy_file(folder / "good.bmp", folder / "stamp" / "vanishing.bmp");
  plat_set_program_path((folder / "stamp-host").c_str());
  VanishingPick pick{folder / "stamp" / "vanishing.bmp", {}};
  PlatUiBackend backend{};
  backend.user = &pick;
  backend.run_dialog = VanishingPick::RunDialog;
  backend.message_box = VanishingPick::MessageBox;
  plat_ui_set_backend(&backend);

  EXPECT_EQ(plugin.submenuUp(200, 105), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(pick.messages, Texts{kOpenError});
  EXPECT_EQ(DrawnPanel(), goodSheet);
  plat_set_program_path(nullptr);
  ui.Install();
}

}  // namespace
}  // namespace stamp::test
