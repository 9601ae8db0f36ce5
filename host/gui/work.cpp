#include "host/gui/work.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>

#include "host/gui/raster_image.h"
#include "host/gui/tool_profile.h"
#include "host/ora/ora_file.h"
#include "host/output/snapshot.h"
#include "host/record/canvas_size.h"
#include "stamp/plugin.h"

namespace stamp::gui {
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

}  // namespace

Work::Work(const host::SessionOptions& options, QWidget* dialogParent)
    : options_(options), log_(std::cout, std::cerr, /*quiet=*/true), ui_(dialogParent) {
  autosave_ = new Autosave([this](const std::filesystem::path& path) { return Write(path); }, this);
  MakeSession();
  firstStart_ = ChooseSampleSheetIfNone(session_->record().app(), options_.hostFolder);
  session_->Start();
}

Work::~Work() { session_->Finish(); }

// The window keeps the layers' product of each session, and its canvas view paints from it.
void Work::MakeSession() {
  session_ = std::make_unique<host::Session>(options_, ui_, log_);
  session_->compositor().KeepLayerProduct();
}

// The tool is shut down (its settings written) and started again on a fresh record of the new
// size, speaking to the same back end. A session that could not be built leaves none, and the
// next start has none to shut down.
void Work::StartSession(int32_t width, int32_t height) {
  if (session_) session_->Finish();
  session_.reset();
  options_.canvasWidth = width;
  options_.canvasHeight = height;
  MakeSession();
  session_->Start();
  history_.Clear();
  emit Restarted();
}

void Work::Changed() {
  unsaved_ = true;
  autosave_->Changed();
  emit StateChanged();
}

void Work::MarkSaved(const QString& path) {
  path_ = path;
  unsaved_ = false;
  autosave_->Forget();
  emit StateChanged();
}

void Work::Stamped() {
  const host::HostRecord& record = session_->record();
  const int32_t layer = record.getInt(STAMP_REC_ACTIVE_LAYER);
  if (layer == record.getInt(STAMP_REC_UNDO_LAYER)) {
    history_.Record(record, layer, {record.buffer(STAMP_REC_UNDO_BUFFER), record.canvasBytes()});
  }
  Changed();
}

int32_t Work::Undo() { return Stepped(history_.Undo(session_->record())); }

int32_t Work::Redo() { return Stepped(history_.Redo(session_->record())); }

int32_t Work::Stepped(int32_t layer) {
  if (layer >= 0) {
    session_->LayersChanged();
    emit LayersChanged();
    Changed();
  }
  return layer;
}

std::string Work::ImportPicture(const QImage& picture) {
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
    return "there is not enough memory to put it into layer 0";
  }
  session_->LayersChanged();
  emit LayersChanged();
  Changed();
  return {};
}

std::string Work::Resize(int32_t width, int32_t height) {
  const host::HostRecord& record = session_->record();
  if (width == record.canvasWidth() && height == record.canvasHeight()) return {};
  if (const host::Status fits = host::CheckCanvasSize(width, height); !fits.ok()) {
    return fits.error();
  }
  std::optional<ora::LayeredPicture> kept;
  std::string why;
  try {
    kept = Drawing();
    StartSession(width, height);
    // The drawing is a new one, which a save must not write over the file the old one came from.
    path_.clear();
    emit StateChanged();
    return {};
  } catch (const std::exception& failure) {
    why = "the canvas cannot be " + SizeText(width, height) + ": " + failure.what();
  }
  // Without the drawing kept aside, the session was never touched.
  if (kept) {
    StartSession(kept->width, kept->height);
    Load(*kept);
  }
  return why;
}

void Work::Clear() {
  host::HostRecord& record = session_->record();
  for (const uint32_t field :
       {STAMP_REC_LAYER0_BUFFER, STAMP_REC_LAYER1_BUFFER, STAMP_REC_LAYER2_BUFFER,
        STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER}) {
    std::memset(record.buffer(field), kWhite, record.canvasBytes());
  }
  session_->LayersChanged();
  emit LayersChanged();
  history_.Clear();
  MarkSaved(QString());
}

std::string Work::Open(const QString& path, ora::ReadProgress progress,
                       std::vector<std::string>* notes,
                       const std::function<bool(int32_t width, int32_t height)>& allowSize) {
  // The layers are decoded straight into the record's buffers once the file has been checked,
  // so opening costs the record and a row, not a second copy of the drawing.
  bool placed = false;
  const ora::LayerPlace place = [this, &placed, &allowSize](int32_t width, int32_t height,
                                                            ora::LayerTargets& targets) {
    if (!allowSize(width, height)) return host::Status(host::Failure{ora::kReadStopped});
    if (std::string error = Resize(width, height); !error.empty()) {
      return host::Status(host::Failure{error});
    }
    host::HostRecord& record = session_->record();
    for (int layer = 0; layer < ora::kLayerCount; ++layer) {
      targets[size_t(layer)] = record.buffer(stamp_rec_layer_buffer(layer));
    }
    placed = true;
    return host::Status();
  };
  const std::string error = ora::ReadOraInPlace(path.toStdString(), place, progress, notes).error();
  if (!error.empty() && !placed) return error;
  history_.Clear();
  if (!error.empty()) {
    Clear();
    return error + " (the file changed while it was read; the canvas is left white)";
  }
  session_->LayersChanged();
  emit LayersChanged();
  MarkSaved(path);
  return {};
}

std::string Work::Recover(const ora::LayeredPicture& drawing) {
  if (std::string error = Resize(drawing.width, drawing.height); !error.empty()) return error;
  Load(drawing);
  Changed();
  return {};
}

std::string Work::Save(const QString& path) {
  if (std::string error = Write(path.toStdString()); !error.empty()) return error;
  MarkSaved(path);
  return {};
}

std::string Work::Export(const QString& path) {
  return host::SaveCanvasPng(session_->record(), session_->compositor(), path.toStdString(),
                             host::Preview::kLeftOut)
      .error();
}

ora::LayeredPicture Work::Drawing() const {
  const host::HostRecord& record = session_->record();
  ora::LayeredPicture drawing{record.canvasWidth(), record.canvasHeight(), {}};
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    const uint8_t* bytes = record.buffer(stamp_rec_layer_buffer(layer));
    drawing.layers[layer].assign(bytes, bytes + record.canvasBytes());
  }
  return drawing;
}

// The drawing must have the canvas's size (Resize first).
void Work::Load(const ora::LayeredPicture& drawing) {
  host::HostRecord& record = session_->record();
  for (int layer = 0; layer < ora::kLayerCount; ++layer) {
    std::memcpy(record.buffer(stamp_rec_layer_buffer(layer)), drawing.layers[layer].data(),
                record.canvasBytes());
  }
  session_->LayersChanged();
  emit LayersChanged();
}

std::string Work::Write(const std::filesystem::path& path) const {
  return ora::WriteOra(path, Drawing(), MergedCanvas(session_->record(), session_->compositor()))
      .error();
}

}  // namespace stamp::gui
