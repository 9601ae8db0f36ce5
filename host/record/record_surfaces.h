// The record's two drawing contexts, made the way a host on this system makes them:
//  - panelDC draws into the panel raster (240x1050, 24-bit, bottom-up, rows of 720 bytes), with
//    the host's font, text colour and background mode. On Linux the raster is a buffer below
//    4 GiB inside guard zones and panelDC holds a bitmap laid over it; on Windows panelDC holds
//    a 24-bit bottom-up DIB section whose pixel memory is the raster (GDI cannot lay a bitmap
//    over the caller's memory), so the raster has no guard zones there.
//  - canvasDC holds a small 24-bit bitmap, so that the bitmaps the plug-in makes compatible with
//    it are 24-bit: the screen's format on Linux, a DIB section on Windows (a screen may be
//    32-bit there, and a canvasDC that is not 24-bit stops the plug-in with its memory message).
// record_surfaces_posix.cpp and record_surfaces_win32.cpp make them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "host/record/context_pair.h"
#include "host/record/guarded_buffer.h"
#include "host/record/raster_view.h"

namespace stamp::host {

class PanelSurface {
 public:
  PanelSurface() = default;
  // The raster starts filled with fill. Throws std::runtime_error naming what failed.
  PanelSurface(uint8_t fill, size_t guardBytes, const std::optional<TextStyle>& text);

  RasterView raster() const { return raster_; }
  uint32_t address32() const;
  bool guardsIntact() const { return buffer_.guardsIntact(); }
  PlatHandle dc() const { return context_.dc(); }

 private:
  GuardedBuffer buffer_;  // the raster's memory on Linux; empty on Windows
  RasterView raster_;
  ContextPair context_;
};

ContextPair MakeCanvasContext();

}  // namespace stamp::host
