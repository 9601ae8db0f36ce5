#include "host/record/context_pair.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace stamp::host {

PlatHandle ContextPair::Made(PlatHandle handle, const char* what) {
  if (handle == 0)
    throw std::runtime_error(std::string("cannot create ") + what + ": " + plat_last_error());
  return handle;
}

ContextPair ContextPair::OverDibSection(int32_t width, int32_t height, uint8_t** bits,
                                        const std::optional<TextStyle>& style) {
  PlatBitmapInfoHeader header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // positive: bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = PLAT_BI_RGB;
  ContextPair pair;
  pair.dc_ = Made(plat_create_compatible_dc(0), "a drawing context");
  void* memory = nullptr;
  pair.SelectBitmap(Made(plat_create_dib_section(pair.dc_, &header, PLAT_DIB_RGB_COLORS, &memory),
                         "a DIB section"));
  *bits = static_cast<uint8_t*>(memory);
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
