// Every failure of the panel image and sheet loading, injected through the platform wherever it
// can strike: at start-up (each allocation in turn), at a start-up that follows a failed one, and
// at a later load through the load dialog. Each ends with its message and result, leaks nothing,
// and keeps what it should: a failed dialog load keeps the cells of the sheet before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/testing/platform_testing.h"
#include "plugin/module_fixture.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

// More low-memory allocations than a start-up with a sheet makes.
constexpr int32_t kAllocationPlaces = 12;

class FaultPositionTest : public ModuleTest {
 protected:
  // The messages of one start-up with the fault armed, its result checked against them.
  Texts FailedStartUp(PlatFault fault, int32_t skip) {
    const size_t shown = ui.messages().size();
    plat_fault_inject(fault, skip);
    const int32_t result = Start();
    plat_fault_clear();
    const Texts messages(ui.messages().begin() + static_cast<ptrdiff_t>(shown),
                         ui.messages().end());
    const bool startUpFails = !messages.empty() && messages.back() != kOpenError;
    EXPECT_EQ(result, startUpFails ? 0 : 1);
    if (startUpFails) liveObjects.ExpectAllReleased();
    return messages;
  }
  // A session that never failed, drawn.
  Bytes ReferencePanel() {
    EXPECT_EQ(Start(), 1);
    const Bytes panel = DrawnPanel();
    plugin.destroy();
    return panel;
  }
  // A start-up without the fault afterwards gives the panel of a session that never failed.
  void ExpectCleanStartUp(const Bytes& reference) {
    plugin.destroy();
    liveObjects.ExpectAllReleased();
    const size_t shown = ui.messages().size();
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(ui.messages().size(), shown);
    EXPECT_EQ(DrawnPanel(), reference);
    EXPECT_TRUE(StrokeTaken());
    plugin.destroy();
  }
};

// A start-up that goes on must show the panel it claims: the sheet's cells when it said nothing,
// the panel file's own cells after "Stamp file open error".
TEST_F(FaultPositionTest, LowMemoryAtEveryAllocationOfStartUp) {
  const Bytes withoutSheet = ReferencePanel();
  StoreSheetPath(WriteSheet("sheet.bmp", 1));
  const Bytes withSheet = ReferencePanel();
  std::map<Texts, int32_t> outcomes;
  for (int32_t skip = 0; skip < kAllocationPlaces; ++skip) {
    SCOPED_TRACE("allocation " + std::to_string(skip));
    const Texts messages = FailedStartUp(PLAT_FAULT_ALLOC_LOW, skip);
    ++outcomes[messages];
    if (messages.empty()) {
      EXPECT_EQ(DrawnPanel(), withSheet);
    } else if (messages == Texts{kOpenError}) {
      EXPECT_EQ(DrawnPanel(), withoutSheet);
    }
    ExpectCleanStartUp(withSheet);
  }
  EXPECT_EQ(outcomes.size(), 4u) << "not every failure row was reached";
  for (const Texts& messages : {Texts{kDataFileError}, Texts{kMemoryError}, Texts{kOpenError}}) {
    EXPECT_TRUE(outcomes.contains(messages)) << testing::PrintToString(messages);
  }
  EXPECT_GT(outcomes[Texts{}], 0) << "a start-up with every allocation past the fault";
}

struct StartUpFault {
  const char* name;
  PlatFault fault;
  int32_t skip;
  Texts messages;
};

class StartUpAfterFailure : public FaultPositionTest,
                            public testing::WithParamInterface<StartUpFault> {};

TEST_P(StartUpAfterFailure, GivesTheSessionThatNeverFailed) {
  StoreSheetPath(WriteSheet("sheet.bmp", 1));
  const Bytes reference = ReferencePanel();
  EXPECT_EQ(FailedStartUp(GetParam().fault, GetParam().skip), GetParam().messages);
  if (GetParam().messages.back() != kOpenError) {
    EXPECT_EQ(plugin.keyB(), 0) << "a failed start-up left a session";
  }
  ExpectCleanStartUp(reference);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StartUpAfterFailure,
    testing::Values(
        StartUpFault{"PanelFile", PLAT_FAULT_BMP_LOAD, 0, {kDataFileError}},
        StartUpFault{"Sheet", PLAT_FAULT_BMP_LOAD, 1, {kOpenError}},
        StartUpFault{"CompatibleBitmap", PLAT_FAULT_COMPATIBLE_BITMAP, 0, {kMemoryError}},
        StartUpFault{"DibSection", PLAT_FAULT_DIB_SECTION, 0, {kMemoryError}},
        StartUpFault{"BitmapDescription", PLAT_FAULT_BITMAP_DESC, 0, {kBitmapError, kMemoryError}}),
    [](const auto& info) { return std::string(info.param.name); });

// The first session is shut down (its settings written, its objects released) before the second
// start-up fails, and nothing of either is left to take events.
TEST_F(FaultPositionTest, FailedStartUpAfterASessionEndsThatSessionFirst) {
  StoreSheetPath(WriteSheet("sheet.bmp", 1));
  ASSERT_EQ(Start(), 1);
  EXPECT_EQ(plugin.keyB(), STAMP_RESULT_PANEL_CHANGED);
  std::filesystem::remove(host.profilePath());
  EXPECT_EQ(FailedStartUp(PLAT_FAULT_DIB_SECTION, 0), Texts{kMemoryError});
  EXPECT_EQ(Saved().select, 1);
  EXPECT_EQ(plugin.keyB(), 0);
  EXPECT_EQ(plugin.submenuUp(150, 50), 0);
  EXPECT_EQ(plugin.mouseDown(10, 10), 0);
}

struct DialogFault {
  const char* name;
  PlatFault fault;  // PLAT_FAULT_KIND_COUNT: none, the file is missing
};

class DialogLoadFailure : public FaultPositionTest,
                          public testing::WithParamInterface<DialogFault> {};

TEST_P(DialogLoadFailure, KeepsTheOldCellsAndReleasesTheOldSheet) {
  ASSERT_EQ(Start(), 1);
  const int32_t withoutSheet = plat_live_object_count();
  plugin.destroy();
  StoreSheetPath(WriteSheet("first.bmp", 1));
  ASSERT_EQ(Start(), 1);
  const Bytes before = DrawnPanel();
  const bool missing = GetParam().fault == PLAT_FAULT_KIND_COUNT;
  const std::u16string second =
      missing ? WindowsPath(folder / "missing.bmp") : WriteSheet("second.bmp", 2);
  if (!missing) plat_fault_inject(GetParam().fault, 0);
  EXPECT_EQ(LoadThroughDialog(second), STAMP_RESULT_PANEL_CHANGED);
  EXPECT_EQ(ui.messages(), Texts{kOpenError});
  EXPECT_EQ(DrawnPanel(), before);
  EXPECT_EQ(plat_live_object_count(), withoutSheet);
  EXPECT_FALSE(StrokeTaken());
}

INSTANTIATE_TEST_SUITE_P(Faults, DialogLoadFailure,
                         testing::Values(DialogFault{"MissingFile", PLAT_FAULT_KIND_COUNT},
                                         DialogFault{"UnreadableFile", PLAT_FAULT_BMP_LOAD},
                                         DialogFault{"NoMemoryForTheSheet", PLAT_FAULT_ALLOC_LOW}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stamp::test
