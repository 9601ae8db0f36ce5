// A memory drawing context with a bitmap selected into it, made as a pair and released in reverse
// order: the previous bitmap (and font) go back, the bitmap (and font) are deleted, then the
// context. The record's panelDC and canvasDC are such pairs, and so is any context a host draws
// text through into a raster of its own.
#pragma once

#include <cstdint>
#include <optional>

#include "host/record/raster_view.h"
#include "stamp/platform.h"

namespace stamp::host {

// How text drawn through a context looks: the platform's font at this cell height, colour
// 0x00BBGGRR, background mode PLAT_TRANSPARENT or PLAT_OPAQUE.
struct TextStyle {
  int32_t fontHeight = 12;
  uint32_t color = 0x000000;
  int32_t backgroundMode = PLAT_TRANSPARENT;
};

class ContextPair {
 public:
  ContextPair() = default;
  // A context drawing into raster, whose pixels the caller keeps alive longer than the pair
  // (Linux only: context_pair_posix.cpp). Without a style the context keeps the platform's
  // default font and colours. Throws std::runtime_error with the platform's reason when an
  // object cannot be made.
  static ContextPair OverRaster(const RasterView& raster, const std::optional<TextStyle>& style);
  // A context holding a width x height 24-bit bottom-up DIB section, its zero-filled pixel
  // memory (rows padded to 4 bytes) handed back in *bits and owned by the pair.
  static ContextPair OverDibSection(int32_t width, int32_t height, uint8_t** bits,
                                    const std::optional<TextStyle>& style);
  // A context holding a 1x1 bitmap compatible with the screen: a model of its 24-bit format.
  static ContextPair ScreenCompatible();

  ContextPair(ContextPair&& other) noexcept;
  ContextPair& operator=(ContextPair&& other) noexcept;
  ContextPair(const ContextPair&) = delete;
  ContextPair& operator=(const ContextPair&) = delete;
  ~ContextPair();

  PlatHandle dc() const { return dc_; }

 private:
  // handle, or std::runtime_error naming what could not be made and the platform's reason.
  static PlatHandle Made(PlatHandle handle, const char* what);
  void SelectBitmap(PlatHandle bitmap);
  void ApplyStyle(const TextStyle& style);

  PlatHandle dc_ = 0;
  PlatHandle bitmap_ = 0;
  PlatHandle previousBitmap_ = 0;
  PlatHandle font_ = 0;
  PlatHandle previousFont_ = 0;
};

}  // namespace stamp::host
