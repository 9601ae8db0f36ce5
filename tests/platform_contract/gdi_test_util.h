// Helpers for the graphics tests: a header-and-colour-table builder for device-independent
// bitmaps, a context holding a bitmap and a font selected into a context, each releasing what it
// holds in the proper order, and a 24-bit DIB section whose pixels are read and written as a test
// Raster.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "stamp/platform.h"
#include "support/raster.h"

namespace stamp::test {

// Colours as 0x00BBGGRR.
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kBlackRef = 0x000000;
inline constexpr uint32_t kWhiteRef = 0xFFFFFF;
// What a picture is filled with before it is drawn on; no test draws it, so a pixel that still
// has it was left alone.
inline constexpr uint32_t kPaper = 0x336699;

inline Rgb RgbOf(uint32_t colorRef) {
  return {static_cast<uint8_t>(colorRef), static_cast<uint8_t>(colorRef >> 8),
          static_cast<uint8_t>(colorRef >> 16)};
}

// A raster of one colour.
inline Raster Filled(int32_t width, int32_t height, uint32_t colorRef) {
  Raster raster(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) raster.Set(x, y, RgbOf(colorRef));
  }
  return raster;
}

// A BITMAPINFOHEADER followed by its colour table (entries given as 0x00BBGGRR) or masks.
inline std::vector<uint8_t> DibInfo(int32_t width, int32_t height, uint16_t bits,
                                    const std::vector<uint32_t>& table = {},
                                    uint32_t compression = PLAT_BI_RGB) {
  PlatBitmapInfoHeader header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = compression;
  header.biClrUsed = static_cast<uint32_t>(compression == PLAT_BI_RGB ? table.size() : 0);
  std::vector<uint8_t> info(sizeof header + 4 * table.size());
  std::memcpy(info.data(), &header, sizeof header);
  for (size_t i = 0; i < table.size(); ++i) {
    const uint32_t c = table[i];
    // Colour-table entries are blue, green, red, 0; masks are plain little-endian words.
    const uint32_t entry =
        compression == PLAT_BI_RGB ? ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF) : c;
    std::memcpy(info.data() + sizeof header + 4 * i, &entry, 4);
  }
  return info;
}

// The info with its header changed by edit, its colour table or masks kept.
template <typename Edit>
std::vector<uint8_t> WithHeader(std::vector<uint8_t> info, Edit edit) {
  PlatBitmapInfoHeader header;
  std::memcpy(&header, info.data(), sizeof header);
  edit(header);
  std::memcpy(info.data(), &header, sizeof header);
  return info;
}

// The bitmap's description; the running test fails when there is none.
inline PlatBitmapDesc Describe(PlatHandle bitmap) {
  PlatBitmapDesc desc{};
  EXPECT_EQ(plat_get_bitmap_desc(bitmap, &desc), 1) << plat_last_error();
  return desc;
}

// A memory context with a bitmap selected into it; the destructor puts the stock bitmap back
// and deletes both.
class SelectedBitmap {
 public:
  explicit SelectedBitmap(PlatHandle bitmap) : bitmap_(bitmap) {
    dc_ = plat_create_compatible_dc(0);
    previous_ = plat_select_object(dc_, bitmap_);
  }
  ~SelectedBitmap() {
    EXPECT_NE(plat_select_object(dc_, previous_), 0u);
    EXPECT_EQ(plat_delete_object(bitmap_), 1);
    EXPECT_EQ(plat_delete_dc(dc_), 1);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;

  PlatHandle dc() const { return dc_; }
  PlatHandle bitmap() const { return bitmap_; }
  bool ok() const { return bitmap_ != 0 && dc_ != 0 && previous_ != 0; }

 private:
  PlatHandle bitmap_;
  PlatHandle dc_ = 0;
  PlatHandle previous_ = 0;
};

// A font of the given height selected into a context; the destructor selects the previous font
// back, which must give this one, and deletes it.
class SelectedFont {
 public:
  SelectedFont(PlatHandle dc, int32_t height)
      : dc_(dc), font_(plat_create_font(height)), previous_(plat_select_object(dc_, font_)) {}
  ~SelectedFont() {
    EXPECT_EQ(plat_select_object(dc_, previous_), font_);
    EXPECT_EQ(plat_delete_object(font_), 1);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

  PlatHandle font() const { return font_; }
  bool ok() const { return font_ != 0 && previous_ != 0; }

 private:
  PlatHandle dc_;
  PlatHandle font_;
  PlatHandle previous_;
};

// A DIB section of the given header with its pixel memory.
struct Dib {
  PlatHandle handle = 0;
  uint8_t* bits = nullptr;
};

inline Dib MakeDib(const std::vector<uint8_t>& info) {
  void* bits = nullptr;
  const PlatHandle handle = plat_create_dib_section(0, info.data(), PLAT_DIB_RGB_COLORS, &bits);
  return {handle, static_cast<uint8_t*>(bits)};
}

// A 24-bit DIB section, bottom-up or top-down, selected into a context of its own. Its rows are
// padded to 4 bytes; Pixels and Show exchange the pixels (not the padding) with a Raster.
class Dib24 {
 public:
  Dib24(int32_t width, int32_t height, bool topDown = false)
      : width_(width),
        height_(height),
        topDown_(topDown),
        dib_(MakeDib(DibInfo(width, topDown ? -height : height, 24))),
        selected_(dib_.handle) {}
  // A DIB section showing the picture.
  explicit Dib24(const Raster& picture, bool topDown = false)
      : Dib24(picture.width(), picture.height(), topDown) {
    Show(picture);
  }

  PlatHandle dc() const { return selected_.dc(); }
  Raster Pixels() const {
    Raster raster(width_, height_);
    for (int32_t y = 0; y < height_; ++y) {
      std::memcpy(raster.data() + RasterRowOffset(y), Row(y), RowBytes());
    }
    return raster;
  }
  void Show(const Raster& raster) const {
    for (int32_t y = 0; y < height_; ++y) {
      std::memcpy(Row(y), raster.data() + RasterRowOffset(y), RowBytes());
    }
  }
  // The first byte after the pixels of top-down row y: padding, which no drawing may write.
  uint8_t PaddingAfter(int32_t y) const { return Row(y)[RowBytes()]; }

 private:
  size_t RowBytes() const { return static_cast<size_t>(width_) * 3; }
  uint8_t* Row(int32_t y) const {
    const size_t stride = (RowBytes() + 3) / 4 * 4;
    return dib_.bits + static_cast<size_t>(topDown_ ? y : height_ - 1 - y) * stride;
  }
  // The Raster stores its rows bottom-up, unpadded.
  size_t RasterRowOffset(int32_t y) const {
    return static_cast<size_t>(height_ - 1 - y) * RowBytes();
  }

  int32_t width_;
  int32_t height_;
  bool topDown_;
  Dib dib_;
  SelectedBitmap selected_;
};

}  // namespace stamp::test
