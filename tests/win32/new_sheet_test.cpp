// Stamp > New sheet from pictures in the Windows window, through the code its dialog runs
// (host/sheets/sheet_saving.h) and the load the window then does (host/session/sheet_loading.h):
// the real plug-in, and the system's real load dialog answered by the host's own watcher.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/commands/sheet_command.h"
#include "host/output/host_log.h"
#include "host/session/script_user.h"
#include "host/session/session.h"
#include "host/session/sheet_loading.h"
#include "host/sheets/sheet_saving.h"
#include "host/sheets/user_sheets.h"
#include "platform/portable/text_encoding.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"
#include "support/test_files.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = STAMP_FIXTURES;
const std::vector<fs::path> kPictures = {kFixtures / "pictures" / "rgba8_17x40.png",
                                         kFixtures / "bmp" / "info40_pal4_31x9.bmp"};

class NewSheet : public testing::Test {
 protected:
  NewSheet() : log_(out_, out_, true), session_(Options(), user_, log_) { session_.Start(); }
  ~NewSheet() override { session_.Finish(); }

  SessionOptions Options() const {
    SessionOptions options;
    options.profile = folder_ / "profile.ini";
    options.hostFolder = STAMP_HOST_DIR;
    return options;
  }
  // The sheet the tool keeps in the profile, which it writes when it is shut down.
  std::u16string ProfileSheet() {
    session_.Destroy();
    char16_t path[PLAT_MAX_PATH] = {};
    plat_profile_get_string(session_.record().app(), u"" STAMP_PROFILE_SECTION,
                            u"" STAMP_PROFILE_FILE_KEY, u"", path, PLAT_MAX_PATH);
    return path;
  }

  test::TempFolder folder_;
  std::ostringstream out_;
  HostLog log_;
  ScriptUser user_;
  Session session_;
};

// The dialog's sheet is the sheet command's, byte for byte, and the load dialog makes the tool
// take it: the panel is drawn again, the profile names it, and no message box came up.
TEST_F(NewSheet, SavedSheetIsTheSheetCommandsAndTheToolLoadsIt) {
  const std::string made = platform::PathToUtf8(folder_ / "made.bmp");
  std::vector<std::string> words = {"--make", made};
  for (const fs::path& picture : kPictures) words.push_back(platform::PathToUtf8(picture));
  const std::vector<std::string_view> args(words.begin(), words.end());
  std::ostringstream said;
  ASSERT_EQ(RunSheetCommand(args, said, said), 0) << said.str();

  std::vector<FittedPicture> pictures;
  const PicturesAdded added = AddSheetPictures(pictures, kPictures);
  EXPECT_EQ(added.names, (std::vector<std::string>{"rgba8_17x40.png", "info40_pal4_31x9.bmp"}));
  EXPECT_TRUE(added.problems.empty());
  const Result<fs::path> sheet = SheetPathIn(folder_ / "sheets", "garden");
  ASSERT_TRUE(sheet.ok()) << sheet.error();
  ASSERT_TRUE(SaveSheet(*sheet, pictures).ok());
  EXPECT_EQ(test::ReadBytes(*sheet), test::ReadBytes(platform::PathFromUtf8(made)));

  EXPECT_TRUE(LoadSheetThroughDialog(session_, ToolPath(*sheet)).panelChanged);
  EXPECT_EQ(ProfileSheet(), ToolPath(*sheet));
  EXPECT_TRUE(user_.messages().empty());
}

// A sheet the tool cannot open: the load dialog's answer leaves the tool's message box to the
// user who answered before it.
TEST_F(NewSheet, ToolsMessageGoesToTheUserBefore) {
  LoadSheetThroughDialog(session_, ToolPath(folder_ / "missing.bmp"));
  EXPECT_EQ(user_.messages(), std::vector<std::u16string>{u"Stamp file open error"});
}

// A picture that cannot be read is named and takes no cell; beyond twelve, the rest are counted.
TEST(NewSheetPictures, RefusedAndSurplusPicturesAreNamed) {
  std::vector<FittedPicture> pictures;
  std::vector<fs::path> paths(13, kPictures[0]);
  paths.insert(paths.begin(), kFixtures / "pictures" / "hostile" / "cut.png");
  const PicturesAdded added = AddSheetPictures(pictures, paths);
  EXPECT_EQ(pictures.size(), size_t{kSheetCells});
  ASSERT_EQ(added.problems.size(), 2u);
  EXPECT_NE(added.problems[0].find("cut.png"), std::string::npos) << added.problems[0];
  EXPECT_EQ(added.problems[1], "A sheet holds 12 pictures: 1 of the 14 chosen were left out");
}

// Names Windows would turn into a hidden stream or a device are refused; others are kept.
TEST(NewSheetPictures, WindowsNamesRefusedOrKept) {
  const struct {
    const char* name;
    const char* file;  // nullptr: refused
  } rows[] = {{"garden", "garden.bmp"}, {"console", "console.bmp"}, {"COM10", "COM10.bmp"},
              {"a:b", nullptr},         {"CON", nullptr},           {"nul.old", nullptr},
              {"Lpt3", nullptr},        {"what?", nullptr},         {"a\"b", nullptr}};
  for (const auto& row : rows) {
    const Result<std::string> file = SheetFileName(row.name);
    EXPECT_EQ(file.ok() ? *file : std::string("refused"), row.file ? row.file : "refused")
        << row.name;
  }
}

}  // namespace
}  // namespace stamp::host
