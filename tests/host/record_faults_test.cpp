// What a host can get wrong, met by the real plug-in in the host's own session: no record, a
// canvasDC whose bitmap is not 24-bit, a layer pointer that is null, a canvas byte count that
// disagrees with the canvas, and a picker library beside the program without its export. Built
// for Linux and for Windows, where the message boxes and the load dialog are the system's real
// windows: the same results and the same messages on both.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "host/output/host_log.h"
#include "host/record/host_directory.h"
#include "host/session/script_user.h"
#include "host/session/session.h"
#include "src/resources/load_dialog_template.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

using Texts = std::vector<std::u16string>;
using Bytes = std::vector<uint8_t>;

constexpr int32_t kCanvasWidth = 160;
constexpr int32_t kCanvasHeight = 200;
constexpr int32_t kPenX = 100;
constexpr int32_t kPenY = 120;
constexpr int32_t kLayer = 1;
// A panel pen-up that opens the load dialog.
constexpr int32_t kLoadButtonX = 200;
constexpr int32_t kLoadButtonY = 105;
constexpr char16_t kSection[] = u"" STAMP_PROFILE_SECTION;
constexpr char16_t kFileKey[] = u"" STAMP_PROFILE_FILE_KEY;

class RecordFaults : public testing::Test {
 protected:
  RecordFaults() : log_(out_, out_, true), session_(Options(), user_, log_) {
    // The sample sheet the session starts with, named in the record's form.
    sheet_ = HostDirectoryText(STAMP_HOST_DIR) + u"" STAMP_SHEET_FOLDER "\\nature.bmp";
    plat_profile_write_string(record().app(), kSection, kFileKey, sheet_.c_str());
  }
  ~RecordFaults() override {
    session_.Finish();
    if (spareDc_ != 0) plat_delete_dc(spareDc_);
    std::error_code ignored;
    std::filesystem::remove(profile_, ignored);
  }

  static SessionOptions Options() {
    SessionOptions options;
    options.canvasWidth = kCanvasWidth;
    options.canvasHeight = kCanvasHeight;
    options.profile = profile_;
    options.hostFolder = STAMP_HOST_DIR;
    return options;
  }

  HostRecord& record() { return session_.record(); }
  PluginCalls& calls() { return session_.calls(); }
  int32_t Send(const PluginEvent& event) { return session_.Send(event).result; }
  const Texts& messages() { return user_.messages(); }
  Bytes Layer() {
    const uint8_t* bytes = record().buffer(stamp_rec_layer_buffer(kLayer));
    return Bytes(bytes, bytes + record().canvasBytes());
  }
  std::u16string ProfileSheet() {
    char16_t path[PLAT_MAX_PATH] = {};
    plat_profile_get_string(record().app(), kSection, kFileKey, u"", path, PLAT_MAX_PATH);
    return path;
  }

  static inline const std::filesystem::path profile_ =
      std::filesystem::temp_directory_path() / "stamp-record-faults.ini";
  std::ostringstream out_;
  HostLog log_;
  ScriptUser user_;
  Session session_;
  std::u16string sheet_;
  PlatHandle spareDc_ = 0;  // a context made for a row, deleted with the fixture
};

TEST_F(RecordFaults, NoRecordIsRefusedWithoutAMessage) {
  EXPECT_EQ(calls().Init(nullptr), 0);
  EXPECT_EQ(messages(), Texts{});
}

// A new context holds the system's 1-bit stock bitmap: the panel's memory made compatible with
// it would not be the 24-bit raster the pixel code works on.
TEST_F(RecordFaults, CanvasDcWithoutATwentyFourBitBitmapStopsStartUp) {
  spareDc_ = plat_create_compatible_dc(0);
  record().setInt(STAMP_REC_CANVAS_DC, static_cast<int32_t>(spareDc_));
  EXPECT_EQ(session_.Init(), 0);
  EXPECT_EQ(messages(), Texts{u"Stamp:memory allocation error"});
  EXPECT_EQ(Send({EventKind::kPenDown, kPenX, kPenY}), STAMP_RESULT_NOT_TAKEN);
}

struct StrokeRow {
  const char* name;
  std::function<void(HostRecord&)> spoil;
  bool layerChanges;
};

class RecordFaultsStroke : public RecordFaults, public testing::WithParamInterface<StrokeRow> {};

// A stamp at the pen: the preview goes into the overlay and the pen-up reports the layer, which
// is written only where the record lets it be; no buffer is written outside its bounds. The
// stamp's picture lies in the last rows of its canvas-sized buffer, so a byte count of half the
// canvas leaves nothing to stamp.
TEST_P(RecordFaultsStroke, LayerIsWrittenOnlyWhereTheRecordAllows) {
  const StrokeRow& row = GetParam();
  ASSERT_EQ(session_.Init(), 1);
  record().setInt(STAMP_REC_ACTIVE_LAYER, kLayer);
  const Bytes before = Layer();
  row.spoil(record());
  EXPECT_EQ(Send({EventKind::kPenDown, kPenX, kPenY}), STAMP_RESULT_OVERLAY_CHANGED);
  EXPECT_EQ(Send({EventKind::kPenUp, kPenX, kPenY}), STAMP_RESULT_LAYER_CHANGED);
  EXPECT_EQ(Layer() != before, row.layerChanges);
  EXPECT_NO_THROW(session_.CheckGuards());
  EXPECT_EQ(messages(), Texts{});
}

const StrokeRow kStrokeRows[] = {
    {"AsBuilt", [](HostRecord&) {}, true},
    {"NullLayerPointer", [](HostRecord& r) { r.setInt(stamp_rec_layer_buffer(kLayer), 0); }, false},
    {"CanvasBytesOfHalfTheCanvas",
     [](HostRecord& r) {
       r.setInt(STAMP_REC_CANVAS_BYTES, static_cast<int32_t>(r.canvasBytes() / 2));
     },
     false},
    {"NegativeCanvasBytes", [](HostRecord& r) { r.setInt(STAMP_REC_CANVAS_BYTES, -1); }, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, RecordFaultsStroke, testing::ValuesIn(kStrokeRows),
                         [](const testing::TestParamInfo<StrokeRow>& info) {
                           return std::string(info.param.name);
                         });

// tgetfile.dll beside this program lacks tGetFile: the File button picks nothing (the system's
// picker does not open either, so the answer queued for it stays unused) and OK loads the path
// the box held.
TEST_F(RecordFaults, PickerLibraryWithoutItsExportPicksNothing) {
  ASSERT_EQ(session_.Init(), 1);
  user_.QueueClick(kLoadDialogFileButton);
  user_.QueueFileAnswer(HostDirectoryText(STAMP_HOST_DIR) + u"" STAMP_SHEET_FOLDER "\\shapes.bmp");
  user_.QueueOk();
  EXPECT_EQ(Send({EventKind::kPanelUp, kLoadButtonX, kLoadButtonY}), STAMP_RESULT_PANEL_CHANGED);
  session_.Destroy();
  EXPECT_EQ(ProfileSheet(), sheet_);
  EXPECT_EQ(messages(), Texts{});
}

}  // namespace
}  // namespace stamp::host
