#include "host/record/complete_record.h"

#include <cstring>
#include <stdexcept>

#include "host/record/canvas_size.h"

namespace stamp::host {
namespace {

constexpr uint8_t kWhite = 0xFF;
constexpr size_t kPanelBytes = size_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;

// What the record's error messages call a buffer.
std::string BufferProblem(std::string_view name, const std::runtime_error& error) {
  return "the " + std::string(name) + " buffer: " + error.what();
}

// The canvas size is checked before anything is allocated.
int32_t CheckedWidth(const HostRecordOptions& options) {
  const Status fits = CheckCanvasSize(options.canvasWidth, options.canvasHeight);
  if (!fits.ok()) throw std::runtime_error(fits.error());
  return options.canvasWidth;
}

std::string_view FieldName(uint32_t offset) {
  for (const BufferField& field : kBufferFields) {
    if (field.offset == offset) return field.name;
  }
  return "buffer";
}

}  // namespace

HostRecord::Window::Window(PlatHandle given)
    : handle_(given != 0 ? given : plat_create_window()), owned_(given == 0) {
  if (handle_ == 0)
    throw std::runtime_error(std::string("cannot create a window: ") + plat_last_error());
}

std::unique_ptr<PlatApp, HostRecord::AppDeleter> HostRecord::MakeApp(const std::string& path) {
  std::unique_ptr<PlatApp, AppDeleter> app(plat_app_create(path.c_str()));
  if (!app)
    throw std::runtime_error("cannot create the application object: " +
                             std::string(plat_last_error()));
  return app;
}

HostRecord::HostRecord(const HostRecordOptions& options)
    : canvasWidth_(CheckedWidth(options)),
      canvasHeight_(options.canvasHeight),
      record_(STAMP_REC_SIZE, 0, options.guardBytes),
      frameObject_(STAMP_FRAME_WINDOW_OBJECT_SIZE, 0, options.guardBytes),
      app_(MakeApp(options.profilePath)),
      mainWindow_(options.mainWindow),
      frameWindow_(options.mainWindow),
      panel_(MakePanel(options)) {
  FillHeader(options);
  AllocateBuffers(options);
  canvasContext_ = MakeCanvasContext();
  setInt(STAMP_REC_PANEL_DC, static_cast<int32_t>(panel_.dc()));
  setInt(STAMP_REC_CANVAS_DC, static_cast<int32_t>(canvasContext_.dc()));
}

PanelSurface HostRecord::MakePanel(const HostRecordOptions& options) {
  try {
    return PanelSurface(options.panelFill, options.guardBytes, options.panelText);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(BufferProblem("panel", error));
  }
}

void HostRecord::FillHeader(const HostRecordOptions& options) {
  const PlatHandle frameWindow = frameWindow_.handle();
  std::memcpy(frameObject_.data() + STAMP_FRAME_WINDOW_HANDLE, &frameWindow, sizeof frameWindow);
  setInt(STAMP_REC_MAIN_WINDOW, static_cast<int32_t>(mainWindow_.handle()));
  setInt(STAMP_REC_FRAME_WINDOW, static_cast<int32_t>(frameObject_.address32()));
  setInt(STAMP_REC_PROFILE_APP, static_cast<int32_t>(reinterpret_cast<uintptr_t>(app_.get())));
  setHostDirectory(options.hostDirectory);
}

void HostRecord::AllocateBuffers(const HostRecordOptions& options) {
  const auto canvas = static_cast<int32_t>(canvasBytes());
  setInt(STAMP_REC_CANVAS_WIDTH, canvasWidth_);
  setInt(STAMP_REC_CANVAS_HEIGHT, canvasHeight_);
  setInt(STAMP_REC_CANVAS_COPY_BYTES, canvas);
  setInt(STAMP_REC_CANVAS_BYTES, canvas);
  setInt(STAMP_REC_PANEL_BYTES, static_cast<int32_t>(kPanelBytes));
  setInt(STAMP_REC_PANEL_BUFFER, static_cast<int32_t>(panel_.address32()));
  for (const BufferField& field : kBufferFields) {
    if (field.offset == STAMP_REC_PANEL_BUFFER) continue;
    try {
      buffers_.emplace_back(field.offset, GuardedBuffer(canvasBytes(), kWhite, options.guardBytes));
    } catch (const std::runtime_error& error) {
      throw std::runtime_error(BufferProblem(field.name, error));
    }
    setInt(field.offset, static_cast<int32_t>(buffers_.back().second.address32()));
  }
}

int32_t HostRecord::getInt(uint32_t offset) const {
  int32_t value;
  std::memcpy(&value, record() + offset, sizeof value);
  return value;
}

void HostRecord::setInt(uint32_t offset, int32_t value) {
  std::memcpy(record() + offset, &value, sizeof value);
}

uint8_t* HostRecord::buffer(uint32_t offset) const {
  if (offset == STAMP_REC_PANEL_BUFFER) return panel_.raster().bytes;
  for (const auto& [field, block] : buffers_) {
    if (field == offset) return block.data();
  }
  return nullptr;
}

RasterView HostRecord::raster(uint32_t offset) const {
  if (offset == STAMP_REC_PANEL_BUFFER) {
    return {buffer(offset), STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT};
  }
  return {buffer(offset), canvasWidth_, canvasHeight_};
}

size_t HostRecord::canvasBytes() const {
  return static_cast<size_t>(CanvasBufferBytes(canvasWidth_, canvasHeight_));
}

void HostRecord::setHostDirectory(std::u16string_view folder) {
  if (folder.size() >= STAMP_HOST_DIRECTORY_CAPACITY) {
    throw std::runtime_error("hostDirectory does not fit the record");
  }
  char16_t* field = reinterpret_cast<char16_t*>(record() + STAMP_REC_HOST_DIRECTORY);
  std::memset(field, 0, STAMP_HOST_DIRECTORY_CAPACITY * sizeof(char16_t));
  std::memcpy(field, folder.data(), folder.size() * sizeof(char16_t));
}

std::vector<std::string> HostRecord::damagedGuards() const {
  std::vector<std::string> damaged;
  if (!record_.guardsIntact()) damaged.emplace_back("record");
  if (!frameObject_.guardsIntact()) damaged.emplace_back("frame window");
  if (!panel_.guardsIntact()) damaged.emplace_back("panel");
  for (const auto& [offset, block] : buffers_) {
    if (!block.guardsIntact()) damaged.emplace_back(FieldName(offset));
  }
  return damaged;
}

}  // namespace stamp::host
