#include "host/document/document.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>

#include "host/document/tool_profile.h"
#include "host/ora/ora_file.h"
#include "host/output/snapshot.h"
#include "host/record/canvas_size.h"
#include "host/session/sheet_loading.h"
#include "stamp/plugin.h"

namespace stamp::document {
namespace {

constexpr uint8_t kWhite = 0xFF;

// The picture, the three layers over white without the preview, in the record's layout (bottom
// row first), composited row by row.
std::vector<uint8_t> MergedCanvas(const host::HostRecord& record, host::Compositor& compositor) {
  const int32_t width = record.canvasWidth();
  const int32_t height = record.canvasHeight();
  const size_t rowBytes = static_cast<size_t>(width) * ora::kBytesPerPixel;
  std::vector<uint8_t> merged(record.canvasBytes());
  for (int32_t y = 0; y < height; ++y) {
    compositor.PictureRow(y, 0, width,
                          merged.data() + static_cast<size_t>(height - 1 - y) * rowBytes);
  }
  return merged;
}

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// A layer of width x height in the record's layout: white, with picture at its top-left corner,
// cut at the layer's edges.
std::vector<uint8_t> LayerFromPicture(const host::Picture& picture, int32_t width, int32_t height) {
  const size_t rowBytes = static_cast<size_t>(width) * ora::kBytesPerPixel;
  const size_t pictureRowBytes = static_cast<size_t>(picture.width) * ora::kBytesPerPixel;
  const size_t shownBytes = std::min(rowBytes, pictureRowBytes);
  std::vector<uint8_t> layer(rowBytes * static_cast<size_t>(height), kWhite);
  for (int32_t y = 0; y < std::min(height, picture.height); ++y) {
    const uint8_t* from = picture.pixels.data() + static_cast<size_t>(y) * pictureRowBytes;
    std::copy(from, from + shownBytes,
              layer.data() + static_cast<size_t>(height - 1 - y) * rowBytes);
  }
  return layer;
}

// Whether the picture holds the pixels its size says, so that reading it stays inside them.
bool IsWhole(const host::Picture& picture) {
  return picture.width >= 0 && picture.height >= 0 &&
         picture.pixels.size() == static_cast<size_t>(picture.width) *
                                      static_cast<size_t>(picture.height) * ora::kBytesPerPixel;
}

}  // namespace

Document::Document(const host::SessionOptions& options, const host::SessionUi& ui,
                   DocumentView& view)
    : options_(options),
      ui_(ui),
      view_(view),
      log_(std::cout, std::cerr, /*quiet=*/true),
      autosave_([this](const std::filesystem::path& path) { return Write(path).error(); }, view) {
  MakeSession();
  firstStart_ = ChooseSampleSheetIfNone(session_->record().app(), options_.hostFolder);
  session_->Start();
}

Document::~Document() { session_->Finish(); }

// The document keeps the layers' product of each session, and a window's canvas paints from it.
void Document::MakeSession() {
  session_ = std::make_unique<host::Session>(options_, ui_, log_);
  session_->compositor().KeepLayerProduct();
}

// The tool is shut down (its settings written) and started again on a fresh record of the new
// size, speaking to the same back end. A session that could not be built leaves none, and the
// next start has none to shut down.
void Document::StartSession(int32_t width, int32_t height) {
  if (session_) session_->Finish();
  session_.reset();
  options_.canvasWidth = width;
  options_.canvasHeight = height;
  MakeSession();
  session_->Start();
  history_.Clear();
  view_.OnRestarted();
}

void Document::Changed() {
  unsaved_ = true;
  autosave_.Changed();
  view_.OnStateChanged();
}

void Document::MarkSaved(const std::filesystem::path& path) {
  path_ = path;
  unsaved_ = false;
  autosave_.Forget();
  view_.OnStateChanged();
}

host::EventOutcome Document::Send(const host::PluginEvent& event) {
  const SentWith with = SentWith::Of(session_->record());
  const size_t dialogsBefore = ui_.dialogEnds().size();
  const host::EventOutcome outcome = session_->Send(event);
  if (recorder_) {
    const std::span<const host::DialogEnd> dialogs(ui_.dialogEnds());
    Recorded(recorder_->Event(with, event, dialogs.subspan(dialogsBefore)));
  }
  if (outcome.layerChanged) Stamped();
  return outcome;
}

// The load is the two events of the file button's press, the dialog answered between them.
host::EventOutcome Document::LoadSheet(const std::u16string& path) {
  const SentWith with = SentWith::Of(session_->record());
  const host::EventOutcome outcome = host::LoadSheetThroughDialog(*session_, path);
  const host::DialogEnd answered{true, path};
  std::span<const host::DialogEnd> dialogs(&answered, 1);
  for (const host::PluginEvent& press : host::kFileButtonPress) {
    if (!recorder_) break;
    Recorded(recorder_->Event(with, press, dialogs));
    dialogs = {};
  }
  return outcome;
}

void Document::Stamped() {
  history_.RecordStroke(session_->record());
  Changed();
}

int32_t Document::Undo() {
  if (recorder_) Recorded(recorder_->HistoryStep(/*undo=*/true));
  return Stepped(history_.Undo(session_->record()));
}

int32_t Document::Redo() {
  if (recorder_) Recorded(recorder_->HistoryStep(/*undo=*/false));
  return Stepped(history_.Redo(session_->record()));
}

host::Status Document::StartRecording(const std::filesystem::path& path) {
  const host::HostRecord& record = session_->record();
  // The script is made before the drawing starts again, so a file that cannot be written leaves
  // the drawing as it was.
  host::Result<std::unique_ptr<ScriptRecorder>> started = ScriptRecorder::Start(path, record);
  STAMP_TRY(started);
  EndRecording("another recording begins");
  std::optional<ora::LayeredPicture> kept;
  try {
    kept = Drawing();
    StartSession(record.canvasWidth(), record.canvasHeight());
  } catch (const std::exception& failure) {
    const std::string why = std::string("the tool could not start again: ") + failure.what();
    (*started)->End(why);
    if (kept) {
      StartSession(kept->width, kept->height);
      Load(*kept);
    }
    return host::Failure{why};
  }
  ShowLayers();
  MarkSaved({});
  // The tool that starts the script has just read its settings, written by the one before.
  STAMP_TRY((*started)->KeepSettings(options_.profile));
  recorder_ = std::move(*started);
  return {};
}

void Document::StopRecording() {
  if (recorder_) recorder_->End("");
  recorder_.reset();
}

std::filesystem::path Document::recording() const {
  return recorder_ ? recorder_->path() : std::filesystem::path();
}

void Document::EndRecording(const std::string& why) {
  if (!recorder_) return;
  recorder_->End(why);
  recorder_.reset();
  view_.OnRecordingEnded(why);
}

void Document::Recorded(const host::Status& written) {
  if (!written.ok()) EndRecording(written.error());
}

int32_t Document::Stepped(int32_t layer) {
  if (layer >= 0) {
    ShowLayers();
    Changed();
  }
  return layer;
}

void Document::ShowLayers() {
  session_->LayersChanged();
  view_.OnLayersChanged();
}

host::Status Document::ImportPicture(const host::Picture& picture) {
  if (!IsWhole(picture)) return host::Failure{"the picture's pixels do not match its size"};
  EndRecording("a picture was opened into layer 0, which a script cannot do");
  host::HostRecord& record = session_->record();
  uint8_t* layer = record.buffer(STAMP_REC_LAYER0_BUFFER);
  std::vector<uint8_t> before;
  try {
    before.assign(layer, layer + record.canvasBytes());
    const std::vector<uint8_t> after =
        LayerFromPicture(picture, record.canvasWidth(), record.canvasHeight());
    std::copy(after.begin(), after.end(), layer);
    history_.Record(record, 0, before);
  } catch (const std::bad_alloc&) {
    if (before.size() == record.canvasBytes()) std::copy(before.begin(), before.end(), layer);
    return host::Failure{"there is not enough memory to put it into layer 0"};
  }
  ShowLayers();
  Changed();
  return {};
}

host::Status Document::Resize(int32_t width, int32_t height) {
  const host::HostRecord& record = session_->record();
  if (width == record.canvasWidth() && height == record.canvasHeight()) return {};
  STAMP_TRY(host::CheckCanvasSize(width, height));
  std::optional<ora::LayeredPicture> kept;
  std::string why;
  try {
    kept = Drawing();
    StartSession(width, height);
    EndRecording("the canvas took another size, which a script cannot do");
    // The drawing is a new one, which a save must not write over the file the old one came from.
    path_.clear();
    view_.OnStateChanged();
    return {};
  } catch (const std::bad_alloc&) {
    why = "the canvas cannot be " + SizeText(width, height) + ": there is not enough memory for it";
  } catch (const std::exception& failure) {
    why = "the canvas cannot be " + SizeText(width, height) + ": " + failure.what();
  }
  // Without the drawing kept aside, the session was never touched.
  if (kept) {
    StartSession(kept->width, kept->height);
    Load(*kept);
  }
  return host::Failure{why};
}

void Document::Clear() {
  EndRecording("a new drawing began, which a script cannot do");
  host::HostRecord& record = session_->record();
  for (const uint32_t field :
       {STAMP_REC_LAYER0_BUFFER, STAMP_REC_LAYER1_BUFFER, STAMP_REC_LAYER2_BUFFER,
        STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER}) {
    std::memset(record.buffer(field), kWhite, record.canvasBytes());
  }
  ShowLayers();
  history_.Clear();
  MarkSaved({});
}

host::Status Document::Open(const std::filesystem::path& path, ora::ReadProgress progress,
                            std::vector<std::string>* notes,
                            const std::function<bool(int32_t width, int32_t height)>& allowSize) {
  // The layers are decoded straight into the record's buffers once the file has been checked,
  // so opening costs the record and a row, not a second copy of the drawing.
  bool placed = false;
  const ora::LayerPlace place = [this, &placed, &allowSize](
                                    int32_t width, int32_t height,
                                    ora::LayerTargets& targets) -> host::Status {
    if (!allowSize(width, height)) return host::Status(host::Failure{ora::kReadStopped});
    EndRecording("a drawing was opened, which a script cannot do");
    STAMP_TRY(Resize(width, height));
    host::HostRecord& record = session_->record();
    for (int layer = 0; layer < ora::kLayerCount; ++layer) {
      targets[size_t(layer)] = record.buffer(stamp_rec_layer_buffer(layer));
    }
    placed = true;
    return host::Status();
  };
  const host::Status read = ora::ReadOraInPlace(path, place, progress, notes);
  if (!read.ok() && !placed) return read;
  history_.Clear();
  if (!read.ok()) {
    Clear();
    return host::Failure{read.error() +
                         " (the file changed while it was read; the canvas is left white)"};
  }
  ShowLayers();
  MarkSaved(path);
  return {};
}

host::Status Document::Recover(const ora::LayeredPicture& drawing) {
  EndRecording("a drawing was recovered, which a script cannot do");
  STAMP_TRY(Resize(drawing.width, drawing.height));
  Load(drawing);
  Changed();
  return {};
}

host::Status Document::Save(const std::filesystem::path& path) {
  STAMP_TRY(Write(path));
  MarkSaved(path);
  return {};
}

host::Status Document::Export(const std::filesystem::path& path) {
  return host::SaveCanvasPng(session_->record(), session_->compositor(), path,
                             host::Preview::kLeftOut);
}

void Document::Tick() { autosave_.SaveNow(); }

ora::LayeredPicture Document::Drawing() const {
  const host::HostRecord& record = session_->record();
  ora::LayeredPicture drawing{record.canvasWidth(), record.canvasHeight(), {}};
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    const uint8_t* bytes = record.buffer(stamp_rec_layer_buffer(layer));
    drawing.layers[layer].assign(bytes, bytes + record.canvasBytes());
  }
  return drawing;
}

// The drawing must have the canvas's size (Resize first).
void Document::Load(const ora::LayeredPicture& drawing) {
  host::HostRecord& record = session_->record();
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    std::memcpy(record.buffer(stamp_rec_layer_buffer(layer)), drawing.layers[layer].data(),
                record.canvasBytes());
  }
  ShowLayers();
}

host::Status Document::Write(const std::filesystem::path& path) const {
  return ora::WriteOra(path, Drawing(), MergedCanvas(session_->record(), session_->compositor()));
}

}  // namespace stamp::document
