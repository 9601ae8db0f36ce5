#include "host/record/context_pair.h"

#include <stdexcept>
#include <string>
#include <utility>
#include "stamp/platform_host.h"

namespace stamp::host {
namespace {

PlatHandle Made(PlatHandle handle, const char* what) {
  if (handle == 0)
    throw std::runtime_error(std::string("cannot create ") + what + ": " + plat_last_error());
  return handle;
}

}  // namespace

ContextPair ContextPair::OverRaster(const RasterView& raster,
                                    const std::optional<TextStyle>& style) {
  ContextPair pair;
  pair.dc_ = Made(plat_create_compatible_dc(0), "a drawing context");
  pair.SelectBitmap(Made(plat_create_bitmap_over_raster(raster.width, raster.height, raster.bytes),
                         "a bitmap over a raster"));
  if (style) pair.ApplyStyle(*style);
  return pair;
}

ContextPair ContextPair::ScreenCompatible() {
  ContextPair pair;
  pair.dc_ = Made(plat_create_compatible_dc(0), "a drawing context");
  pair.SelectBitmap(Made(plat_create_compatible_bitmap(0, 1, 1), "a screen-compatible bitmap"));
  return pair;
}

void ContextPair::SelectBitmap(PlatHandle bitmap) {
  bitmap_ = bitmap;
  previousBitmap_ = plat_select_object(dc_, bitmap);
}

void ContextPair::ApplyStyle(const TextStyle& style) {
  font_ = Made(plat_create_font(style.fontHeight), "a font");
  previousFont_ = plat_select_object(dc_, font_);
  plat_set_text_color(dc_, style.color);
  plat_set_bk_mode(dc_, style.backgroundMode);
}

ContextPair::ContextPair(ContextPair&& other) noexcept { *this = std::move(other); }

ContextPair& ContextPair::operator=(ContextPair&& other) noexcept {
  std::swap(dc_, other.dc_);
  std::swap(bitmap_, other.bitmap_);
  std::swap(previousBitmap_, other.previousBitmap_);
  std::swap(font_, other.font_);
  std::swap(previousFont_, other.previousFont_);
  return *this;
}

ContextPair::~ContextPair() {
  if (font_ != 0) {
    plat_select_object(dc_, previousFont_);
    plat_delete_object(font_);
  }
  if (bitmap_ != 0) {
    plat_select_object(dc_, previousBitmap_);
    plat_delete_object(bitmap_);
  }
  if (dc_ != 0) plat_delete_dc(dc_);
}

}  // namespace stamp::host
