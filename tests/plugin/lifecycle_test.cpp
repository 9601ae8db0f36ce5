// Start-up and shut-down of the real module on a complete host record: the panel file and the
// sample sheets of the host's folder, the settings in the profile, a missing panel file or sheet,
// and the platform's live objects back where they started after each test. Injected failures at
// start-up: reliability/fault_positions_test.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "platform/testing/platform_testing.h"
#include "plugin/module_fixture.h"

namespace stamp::test {
namespace {

std::filesystem::path SampleSheet() {
  for (const auto& entry : std::filesystem::directory_iterator(HostFolder() / STAMP_SHEET_FOLDER)) {
    if (entry.path().extension() == ".bmp") return entry.path();
  }
  throw std::runtime_error("no sample sheet in the host's stamp folder");
}

using LifecycleTest = ModuleTest;

TEST_F(LifecycleTest, ToolNameAndVersionAreReadBeforeStartUp) {
  EXPECT_STREQ(plugin.info(), "Stamp");
  EXPECT_EQ(plugin.version(), 0x3F800000);
}

TEST_F(LifecycleTest, EmptyProfileStartsWithDefaultsWrittenBackOnlyAtShutDown) {
  ASSERT_EQ(Start(), 1);
  EXPECT_FALSE(std::filesystem::exists(host.profilePath())) << "start-up wrote the profile";
  plugin.destroy();
  EXPECT_EQ(Saved(), (StoredSettings{0, 0, 30, u""}));
  EXPECT_EQ(ui.messages(), Texts{});
}

TEST_F(LifecycleTest, MissingSheetIsReportedAndStartUpGoesOn) {
  Store({0, 0, 30, WindowsPath(HostFolder() / "stamp" / "no such sheet.bmp")});
  EXPECT_EQ(Start(), 1);
  EXPECT_EQ(ui.messages(), Texts{kOpenError});
}

TEST_F(LifecycleTest, MissingPanelFileFailsStartUpAndLeavesASessionThatDoesNothing) {
  const TempFolder empty;
  host.setHostDirectory(empty.path());
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(ui.messages(), Texts{kDataFileError});
  liveObjects.ExpectAllReleased();
  plugin.destroy();
  EXPECT_FALSE(std::filesystem::exists(host.profilePath())) << "a failed session wrote settings";
}

TEST_F(LifecycleTest, NullRecordIsRefused) { EXPECT_EQ(plugin.init(nullptr), 0); }

class SampleSheetSessionTest : public LifecycleTest,
                               public ::testing::WithParamInterface<StoredSettings> {};

// A session on a sample sheet writes back the settings it read, values outside their ranges as
// they are, and releases every object it made.
TEST_P(SampleSheetSessionTest, WritesItsSettingsBackAndReleasesEverything) {
  StoredSettings stored = GetParam();
  stored.file = WindowsPath(SampleSheet());
  Store(stored);
  ASSERT_EQ(Start(), 1);
  EXPECT_GT(plat_live_object_count(), liveObjects.atStart());
  std::filesystem::remove(host.profilePath());
  plugin.destroy();
  EXPECT_EQ(Saved(), stored);
  EXPECT_EQ(ui.messages(), Texts{});
  liveObjects.ExpectAllReleased();
}

INSTANTIATE_TEST_SUITE_P(Values, SampleSheetSessionTest,
                         ::testing::Values(StoredSettings{5, 45, 20},
                                           StoredSettings{INT_MIN, INT_MIN, INT_MIN},
                                           StoredSettings{INT_MAX, INT_MAX, INT_MAX},
                                           StoredSettings{-1, -1, -1}, StoredSettings{40, 40, 40},
                                           StoredSettings{4, 4, 4}, StoredSettings{12, 12, 12}));

TEST_F(LifecycleTest, EventsOutsideASessionAreNotTaken) {
  const auto expectNoneTaken = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(plugin.updateSubmenu(), 0);
    EXPECT_EQ(plugin.submenuDown(100, 30), 0);
    EXPECT_EQ(plugin.submenuMove(100, 30), 0);
    EXPECT_EQ(plugin.submenuUp(100, 30), 0);
    EXPECT_EQ(plugin.mouseDown(10, 10), 0);
    EXPECT_EQ(plugin.mouseMove(0, 0, 10, 10), 0);
    EXPECT_EQ(plugin.mouseUp(10, 10), 0);
    EXPECT_EQ(plugin.keyA(), 0);
    EXPECT_EQ(plugin.keyB(), 0);
  };
  expectNoneTaken("before start-up");
  plugin.destroy();
  EXPECT_FALSE(std::filesystem::exists(host.profilePath())) << "shut-down before start-up";

  plat_fault_inject(PLAT_FAULT_DIB_SECTION, 0);
  ASSERT_EQ(Start(), 0);
  expectNoneTaken("after a failed start-up");

  ASSERT_EQ(Start(), 1);
  plugin.destroy();
  std::filesystem::remove(host.profilePath());
  expectNoneTaken("after shut-down");
  plugin.destroy();
  EXPECT_FALSE(std::filesystem::exists(host.profilePath())) << "a second shut-down wrote again";
}

TEST_F(LifecycleTest, SecondStartUpEndsTheFirstSessionWithoutLeaking) {
  Store({3, 90, 15, WindowsPath(SampleSheet())});
  ASSERT_EQ(Start(), 1);
  const int32_t sessionObjects = plat_live_object_count();
  std::filesystem::remove(host.profilePath());
  ASSERT_EQ(Start(), 1);
  EXPECT_EQ(Saved(), (StoredSettings{3, 90, 15, WindowsPath(SampleSheet())}))
      << "the first session's settings were not written";
  EXPECT_EQ(plat_live_object_count(), sessionObjects);
  plugin.destroy();
  plugin.destroy();
  liveObjects.ExpectAllReleased();
}

}  // namespace
}  // namespace stamp::test
