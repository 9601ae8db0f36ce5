#include "host/win32_window/drawing.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <new>
#include <stdexcept>

#include "host/document/tool_profile.h"
#include "host/output/snapshot.h"
#include "host/record/canvas_size.h"
#include "stamp/host_record.h"

namespace stamp::window {
namespace {

constexpr uint8_t kWhite = 0xFF;
constexpr std::array<uint32_t, 3> kLayerFields = {STAMP_REC_LAYER0_BUFFER, STAMP_REC_LAYER1_BUFFER,
                                                  STAMP_REC_LAYER2_BUFFER};

}  // namespace

// The user the plug-in speaks to is the one at the screen: its message boxes, load dialog and
// file picker are the system's own windows, read there, so none is kept for a log.
class Drawing::SystemUser final : public host::SessionUi {
 public:
  const std::vector<std::u16string>& messages() const override { return kept_; }

 private:
  const std::vector<std::u16string> kept_;
};

Drawing::Drawing(const host::SessionOptions& options, DrawingListener& listener)
    : options_(options),
      listener_(listener),
      log_(std::cout, std::cerr, /*quiet=*/true),
      user_(std::make_unique<SystemUser>()),
      session_(std::make_unique<host::Session>(options_, *user_, log_)) {
  session_->compositor().KeepLayerProduct();
  firstStart_ = document::ChooseSampleSheetIfNone(session_->record().app(), options_.hostFolder);
  session_->Start();
}

Drawing::~Drawing() {
  if (session_) session_->Finish();
}

// The tool is shut down (its settings written) and started again on a fresh record of the size.
void Drawing::StartSession(int32_t width, int32_t height) {
  if (session_) session_->Finish();
  session_.reset();
  options_.canvasWidth = width;
  options_.canvasHeight = height;
  session_ = std::make_unique<host::Session>(options_, *user_, log_);
  session_->compositor().KeepLayerProduct();
  session_->Start();
  history_.Clear();
}

void Drawing::Changed() {
  unsaved_ = true;
  listener_.OnStateChanged();
}

void Drawing::Stamped() {
  const host::HostRecord& record = session_->record();
  const int32_t layer = record.getInt(STAMP_REC_ACTIVE_LAYER);
  if (layer == record.getInt(STAMP_REC_UNDO_LAYER)) {
    history_.Record(record, layer, {record.buffer(STAMP_REC_UNDO_BUFFER), record.canvasBytes()});
  }
  Changed();
}

int32_t Drawing::Undo() { return Stepped(history_.Undo(session_->record())); }

int32_t Drawing::Redo() { return Stepped(history_.Redo(session_->record())); }

int32_t Drawing::Stepped(int32_t layer) {
  if (layer >= 0) {
    session_->LayersChanged();
    listener_.OnLayersChanged();
    Changed();
  }
  return layer;
}

// The layers are kept aside first, so that a canvas that cannot be made gives back the drawing
// at its old size; without room to keep them the session is never touched.
host::Status Drawing::Resize(int32_t width, int32_t height) {
  const host::HostRecord& record = session_->record();
  if (width == record.canvasWidth() && height == record.canvasHeight()) return {};
  if (const host::Status fits = host::CheckCanvasSize(width, height); !fits.ok()) return fits;
  const Size old{record.canvasWidth(), record.canvasHeight()};
  std::vector<std::vector<uint8_t>> kept;
  try {
    for (const uint32_t layer : kLayerFields) {
      kept.emplace_back(record.buffer(layer), record.buffer(layer) + record.canvasBytes());
    }
    StartSession(width, height);
  } catch (const std::exception& failure) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&failure) != nullptr;
    if (kept.size() < kLayerFields.size()) {
      return host::Failure{"there is not enough memory to keep the drawing"};
    }
    Restore(old, kept);
    return host::Failure{"the canvas cannot be " + std::to_string(width) + "x" +
                         std::to_string(height) + ": " +
                         (memory ? "there is not enough memory for it" : failure.what())};
  }
  path_.clear();
  unsaved_ = false;
  listener_.OnRestarted();
  listener_.OnStateChanged();
  return {};
}

void Drawing::Restore(Size size, const std::vector<std::vector<uint8_t>>& layers) {
  StartSession(size.width, size.height);
  host::HostRecord& record = session_->record();
  for (size_t i = 0; i < kLayerFields.size(); ++i) {
    std::copy(layers[i].begin(), layers[i].end(), record.buffer(kLayerFields[i]));
  }
  session_->LayersChanged();
  listener_.OnRestarted();
}

void Drawing::Clear() {
  host::HostRecord& record = session_->record();
  for (const uint32_t layer : kLayerFields) {
    std::fill_n(record.buffer(layer), record.canvasBytes(), kWhite);
  }
  history_.Clear();
  session_->LayersChanged();
  path_.clear();
  unsaved_ = false;
  listener_.OnLayersChanged();
  listener_.OnStateChanged();
}

host::Status Drawing::Export(const std::filesystem::path& path) {
  return host::SaveCanvasPng(session_->record(), session_->compositor(), path,
                             host::Preview::kLeftOut);
}

}  // namespace stamp::window
