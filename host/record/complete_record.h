// A complete host record, built as a paint host builds it: the record itself, the frame window
// object, the application object on a profile file, the main and frame windows, every buffer the
// record names (each below 4 GiB, optionally inside guard zones) and the two drawing contexts
// panelDC (over the panel raster) and canvasDC (24-bit). Everything is released in reverse order
// when the record goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/record/canvas_size.h"
#include "host/record/context_pair.h"
#include "host/record/guarded_buffer.h"
#include "host/record/raster_view.h"
#include "host/record/record_surfaces.h"
#include "stamp/host_record.h"
#include "stamp/platform.h"

namespace stamp::host {

struct HostRecordOptions {
  int32_t canvasWidth = kDefaultCanvasWidth;
  int32_t canvasHeight = kDefaultCanvasHeight;
  std::u16string hostDirectory;  // the record's form: backslashes, ending in a backslash
  std::string profilePath;       // the application object's INI file (UTF-8; need not exist)
  size_t guardBytes = GuardedBuffer::kDefaultGuardBytes;  // 0: no guard zones
  uint8_t panelFill = 0x00;                               // the panel raster's first bytes
  std::optional<TextStyle> panelText;  // font and colours of panelDC; none: the defaults
  // The host's own main window, which then also stands as the frame window: the plug-in's
  // dialogs and message boxes are owned by it and its full-screen and window-position requests
  // act on it. 0: the record makes hidden windows of its own for both.
  PlatHandle mainWindow = 0;
};

// A buffer field of the record with the name a host gives it in messages and file names.
struct BufferField {
  uint32_t offset;
  std::string_view name;
};

// The panel raster first, then the canvas-sized buffers.
inline constexpr BufferField kBufferFields[] = {
    {STAMP_REC_PANEL_BUFFER, "panel"},       {STAMP_REC_LAYER0_BUFFER, "layer0"},
    {STAMP_REC_LAYER1_BUFFER, "layer1"},     {STAMP_REC_LAYER2_BUFFER, "layer2"},
    {STAMP_REC_OVERLAY_BUFFER, "overlay"},   {STAMP_REC_UNDO_BUFFER, "undo"},
    {STAMP_REC_OVERLAY_SAVE, "overlaysave"}, {STAMP_REC_SCRATCH_BUFFER, "scratch"},
    {STAMP_REC_STAMP_BUFFER, "stamp"}};

class HostRecord {
 public:
  // Validates the canvas size, then allocates. Throws std::runtime_error naming what failed.
  explicit HostRecord(const HostRecordOptions& options);
  HostRecord(const HostRecord&) = delete;
  HostRecord& operator=(const HostRecord&) = delete;

  uint8_t* record() const { return record_.data(); }
  int32_t getInt(uint32_t offset) const;
  void setInt(uint32_t offset, int32_t value);
  // The buffer a field of kBufferFields names; nullptr for any other offset.
  uint8_t* buffer(uint32_t offset) const;
  RasterView raster(uint32_t offset) const;
  int32_t canvasWidth() const { return canvasWidth_; }
  int32_t canvasHeight() const { return canvasHeight_; }
  size_t canvasBytes() const;
  PlatApp* app() const { return app_.get(); }
  PlatHandle mainWindow() const { return mainWindow_.handle(); }
  PlatHandle frameWindowHandle() const { return frameWindow_.handle(); }
  void setHostDirectory(std::u16string_view folder);
  // The names of the buffers (and "record", "frame window") whose guard zones changed.
  std::vector<std::string> damagedGuards() const;

 private:
  struct AppDeleter {
    void operator()(PlatApp* app) const { plat_app_destroy(app); }
  };
  // A platform window made for the record and destroyed with it, or the host's own (given), which
  // the record neither makes nor destroys.
  class Window {
   public:
    explicit Window(PlatHandle given);
    ~Window() {
      if (owned_) plat_destroy_window(handle_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    PlatHandle handle() const { return handle_; }

   private:
    PlatHandle handle_;
    bool owned_;
  };

  static std::unique_ptr<PlatApp, AppDeleter> MakeApp(const std::string& profilePath);
  static PanelSurface MakePanel(const HostRecordOptions& options);
  void FillHeader(const HostRecordOptions& options);
  void AllocateBuffers(const HostRecordOptions& options);

  // Members are made in this order and released in the reverse one.
  int32_t canvasWidth_;
  int32_t canvasHeight_;
  GuardedBuffer record_;
  GuardedBuffer frameObject_;
  std::unique_ptr<PlatApp, AppDeleter> app_;
  Window mainWindow_;
  Window frameWindow_;
  PanelSurface panel_;
  std::vector<std::pair<uint32_t, GuardedBuffer>> buffers_;  // the canvas-sized ones
  ContextPair canvasContext_;
};

}  // namespace stamp::host
