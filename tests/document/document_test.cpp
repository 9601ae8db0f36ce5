// The drawing as a window holds it, with no window: strokes of the real plug-in taken back and
// done again, a picture put into layer 0, a drawing saved and opened again with the same layers,
// a save that fails losing nothing, and the autosave written by its rules on a fake clock and
// found by the next window.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "host/document/autosave_folder.h"
#include "host/document/autosave_system.h"
#include "host/document/document.h"
#include "host/ora/ora_file.h"
#include "host/script/script_parser.h"
#include "host/script/script_runner.h"
#include "host/session/script_user.h"
#include "stamp/plugin.h"
#include "support/test_files.h"

namespace stamp::document {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using Bytes = std::vector<uint8_t>;
using Layers = std::array<Bytes, ora::kLayerCount>;

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 200;
constexpr uint8_t kWhite = 0xFF;

// A window that hears everything and keeps a clock the test moves.
class FakeView : public DocumentView {
 public:
  void OnStateChanged() override {}
  void OnLayersChanged() override { ++layersShown; }
  void OnRestarted() override {}
  void TickAfter(milliseconds delay) override { tick = delay; }
  void CancelTick() override { tick.reset(); }
  Clock::time_point Now() override { return now; }
  void OnAutosaved(const fs::path& path) override { autosaved = path; }
  void OnRecordingEnded(const std::string& why) override { recordingEnded = why; }

  Clock::time_point now{};
  std::optional<milliseconds> tick;  // the tick asked for and not withdrawn
  fs::path autosaved;
  std::string recordingEnded;
  int layersShown = 0;
};

// Where the document's autosaves go for this test: the state folder's variable on each system.
void UseStateFolder(const fs::path& folder) {
#ifdef _WIN32
  _wputenv_s(L"LOCALAPPDATA", folder.c_str());
#else
  setenv("XDG_STATE_HOME", folder.c_str(), 1);
#endif
}

class DocumentTest : public testing::Test {
 protected:
  DocumentTest() {
    UseStateFolder(folder_ / "state");
    document_ = std::make_unique<Document>(Options(), user_, view_);
  }

  host::SessionOptions Options() const {
    host::SessionOptions options;
    options.canvasWidth = kWidth;
    options.canvasHeight = kHeight;
    options.profile = folder_ / "profile.ini";
    options.hostFolder = STAMP_HOST_DIR;
    return options;
  }

  // A stamp pressed at (x, y) into layer, as a window sends it.
  void Stamp(int32_t layer, int32_t x, int32_t y) {
    document_->session().record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
    document_->Send({host::EventKind::kPenDown, x, y});
    ASSERT_TRUE(document_->Send({host::EventKind::kPenUp, x, y}).layerChanged);
  }

  Layers Shown() const { return LayersOf(document_->session().record()); }

  static Layers LayersOf(const host::HostRecord& record) {
    Layers layers;
    for (int layer = 0; layer < ora::kLayerCount; ++layer) {
      const uint8_t* bytes = record.buffer(stamp_rec_layer_buffer(layer));
      layers[size_t(layer)].assign(bytes, bytes + record.canvasBytes());
    }
    return layers;
  }

  test::TempFolder folder_;
  host::ScriptUser user_;
  FakeView view_;
  std::unique_ptr<Document> document_;
};

// Strokes on two layers, each undone back to the drawing before it and each redone again; a new
// stroke after an undo drops the step undone.
TEST_F(DocumentTest, UndoAndRedoWalkTheStrokesOnEveryLayer) {
  const struct {
    int32_t layer, x, y;
  } strokes[] = {{0, 40, 50}, {1, 100, 120}, {0, 60, 90}, {2, 80, 150}};
  std::vector<Layers> drawings = {Shown()};
  for (const auto& stroke : strokes) {
    Stamp(stroke.layer, stroke.x, stroke.y);
    drawings.push_back(Shown());
  }
  for (size_t step = std::size(strokes); step > 0; --step) {
    EXPECT_EQ(document_->Undo(), strokes[step - 1].layer);
    EXPECT_EQ(Shown(), drawings[step - 1]) << "undo of stroke " << step;
  }
  EXPECT_EQ(document_->Undo(), -1);
  for (size_t step = 1; step <= std::size(strokes); ++step) {
    EXPECT_EQ(document_->Redo(), strokes[step - 1].layer);
    EXPECT_EQ(Shown(), drawings[step]) << "redo of stroke " << step;
  }
  EXPECT_EQ(document_->Redo(), -1);
  document_->Undo();
  Stamp(1, 30, 30);
  EXPECT_EQ(document_->Redo(), -1);
  EXPECT_TRUE(document_->unsaved());
}

// A picture goes into layer 0 at the canvas's top-left corner (the record keeps the bottom row
// first), white around it, as one step; undo gives the layer back. One whose pixels are fewer
// than its size says is refused before they are read.
TEST_F(DocumentTest, PictureFillsLayerZeroFromTheTopLeftAndUndoes) {
  const Layers before = Shown();
  EXPECT_FALSE(document_->ImportPicture({kWidth, kHeight, {1, 2, 3}}).ok());
  EXPECT_EQ(Shown(), before);
  const host::Picture picture{2, 1, {1, 2, 3, 4, 5, 6}};  // two pixels, B,G,R
  ASSERT_TRUE(document_->ImportPicture(picture).ok());
  const Bytes layer = Shown()[0];
  const size_t topRow = static_cast<size_t>(kHeight - 1) * kWidth * ora::kBytesPerPixel;
  EXPECT_EQ(Bytes(layer.begin() + topRow, layer.begin() + topRow + 7),
            (Bytes{1, 2, 3, 4, 5, 6, kWhite}));
  EXPECT_EQ(std::count(layer.begin(), layer.end(), kWhite), std::ptrdiff_t(layer.size() - 6));
  EXPECT_EQ(document_->Undo(), 0);
  EXPECT_EQ(Shown(), before);
}

TEST_F(DocumentTest, SavedDrawingOpensWithTheSameLayers) {
  Stamp(0, 40, 50);
  Stamp(2, 90, 100);
  const Layers drawn = Shown();
  const fs::path file = folder_ / "drawing.ora";
  ASSERT_EQ(document_->Save(file).error(), "");
  EXPECT_FALSE(document_->unsaved());
  document_->Clear();
  EXPECT_TRUE(document_->path().empty());
  ASSERT_EQ(document_->Open(file, {}, nullptr, [](int32_t, int32_t) { return true; }).error(), "");
  EXPECT_EQ(Shown(), drawn);
  EXPECT_EQ(document_->path(), file);
  EXPECT_FALSE(document_->unsaved());
  EXPECT_EQ(document_->history().undoSteps(), 0u);
}

// A save that cannot be written says so and leaves the drawing unsaved, open from the file it
// came from, its layers and history untouched.
TEST_F(DocumentTest, FailedSaveLosesNothing) {
  const fs::path first = folder_ / "first.ora";
  ASSERT_TRUE(document_->Save(first).ok());
  fs::create_directory(folder_ / "folder.ora");
  test::WriteFile(folder_ / "file", "not a folder");
  for (const fs::path& target : {folder_ / "folder.ora", folder_ / "file" / "drawing.ora"}) {
    Stamp(1, 70, 80);
    const Layers drawn = Shown();
    EXPECT_FALSE(document_->Save(target).ok()) << target;
    EXPECT_TRUE(document_->unsaved()) << target;
    EXPECT_EQ(document_->path(), first) << target;
    EXPECT_EQ(Shown(), drawn) << target;
    EXPECT_EQ(document_->Undo(), 1) << target;
    document_->Redo();
  }
}

// Fewer changes than kStrokesPerSave wait for the idle delay; the last one asks for a tick once
// kMinInterval has passed since the start. The tick writes the autosave, which stays when the
// window ends without saving and is what the next window finds and recovers.
TEST_F(DocumentTest, AutosaveWritesAfterItsStrokesAndIsRecovered) {
  ASSERT_EQ(document_->autosave().problem(), "");
  for (int stroke = 1; stroke < Autosave::kStrokesPerSave; ++stroke) {
    Stamp(0, 20 + 25 * stroke, 50);
    EXPECT_EQ(view_.tick, Autosave::kIdleDelay) << stroke;
  }
  view_.now += Autosave::kMinInterval - milliseconds{1000};
  Stamp(1, 60, 120);
  EXPECT_EQ(view_.tick, milliseconds{1000});
  EXPECT_FALSE(fs::exists(document_->autosave().path()));
  document_->Tick();
  const Layers autosaved = Shown();
  const fs::path written = document_->autosave().path();
  EXPECT_EQ(view_.autosaved, written);
  EXPECT_FALSE(view_.tick.has_value());
  document_.reset();

  const FolderScan scan = ScanAutosaveFolders(AutosaveFolders());
  ASSERT_EQ(scan.drawings.size(), 1u);
  EXPECT_EQ(scan.drawings[0].path, written);
  ora::LayeredPicture drawing;
  ASSERT_EQ(ora::ReadOra(written, drawing).error(), "");
  document_ = std::make_unique<Document>(Options(), user_, view_);
  ASSERT_TRUE(document_->Recover(drawing).ok());
  EXPECT_EQ(Shown(), autosaved);
  EXPECT_TRUE(document_->unsaved());
}

}  // namespace
}  // namespace stamp::document

namespace stamp::document {
namespace {

// A recording started mid-drawing starts it again white; its strokes on three layers, the cell
// changed, undo and redo replay with the script host to the same layers from the settings the
// tool started from, kept beside the script. Opening a picture ends the recording, and its last
// line says why.
TEST_F(DocumentTest, RecordedStepsReplayToTheSameLayers) {
  Stamp(0, 40, 50);
  // In a folder whose name is beyond ASCII, as users' folders are on Windows.
  const fs::path scripts = folder_ / fs::path(u8"Zeichnungen-\u00e4\u20ac");
  fs::create_directory(scripts);
  const fs::path script = scripts / "steps.txt";
  ASSERT_TRUE(document_->StartRecording(script).ok());
  const Bytes white(document_->session().record().canvasBytes(), kWhite);
  EXPECT_EQ(Shown(), (Layers{white, white, white})) << "not started again white";
  fs::copy_file(scripts / "steps-settings.ini", folder_ / "replay.ini");
  Stamp(1, 100, 120);
  document_->session().record().setInt(STAMP_REC_ZOOM_SHIFT, 1);
  Stamp(2, 80, 150);
  document_->Send({host::EventKind::kKeyB});
  Stamp(1, 60, 90);
  document_->Undo();
  document_->Undo();
  document_->Redo();
  const Layers drawn = Shown();
  ASSERT_TRUE(document_->ImportPicture({2, 1, Bytes(6, 0)}).ok());
  EXPECT_EQ(view_.recordingEnded, "a picture was opened into layer 0, which a script cannot do");
  EXPECT_TRUE(document_->recording().empty());
  document_.reset();  // one session of the tool at a time

  const std::string text = test::ReadFile(script);
  EXPECT_NE(text.find("# The recording ends here: a picture"), std::string::npos) << text;
  const host::Result<host::Script> steps = host::ParseScript(text, "steps.txt");
  ASSERT_TRUE(steps.ok()) << steps.error();
  std::ostringstream lines;
  host::HostLog log(lines, lines, /*quiet=*/true);
  host::SessionOptions options = Options();
  options.profile = folder_ / "replay.ini";
  host::Session replay(options, user_, log);
  replay.Start();
  const host::Result<host::ScriptOutcome> ran =
      host::RunScript(*steps, replay, user_, {folder_.path(), folder_.path()}, log);
  ASSERT_TRUE(ran.ok()) << ran.error();
  EXPECT_EQ(LayersOf(replay.record()), drawn) << text;
  replay.Finish();
}

}  // namespace
}  // namespace stamp::document
