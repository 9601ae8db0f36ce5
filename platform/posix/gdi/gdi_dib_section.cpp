// Device-independent bitmaps from a BITMAPINFOHEADER and its colour table. Every field is checked
// before any size is computed or memory allocated.
#include <cstring>
#include <optional>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/posix/gdi/gdi_bitmap.h"
#include "platform/posix/system/fault_injection.h"
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
// The later, longer headers (V2, V3, V4, V5) start with the same fields; the colour table
// follows whichever header is used.
constexpr uint32_t kLongerHeaderSizes[] = {52, 56, 108, 124};
// BI_BITFIELDS masks (red, green, blue) sit right after the first 40 bytes in every layout.
constexpr size_t kMasksOffset = kInfoHeaderSize;
constexpr size_t kColorEntryBytes = 4;  // blue, green, red, reserved

struct DibLayout {
  int32_t width = 0;
  int32_t height = 0;
  bool topDown = false;
  PixelFormat format;
};

bool KnownHeaderSize(uint32_t size) {
  if (size == kInfoHeaderSize) return true;
  for (const uint32_t longer : kLongerHeaderSizes) {
    if (size == longer) return true;
  }
  return false;
}

std::optional<std::array<uint32_t, 3>> ReadMasks(const uint8_t* info,
                                                 const PlatBitmapInfoHeader& header) {
  if (header.biCompression == PLAT_BI_RGB) return DefaultMasks(header.biBitCount);
  if (header.biCompression != PLAT_BI_BITFIELDS || UsesPalette(header.biBitCount) ||
      header.biBitCount == 24) {
    return Fail("plat_create_dib_section: unsupported compression", std::nullopt);
  }
  std::array<uint32_t, 3> masks{};
  std::memcpy(masks.data(), info + kMasksOffset, sizeof masks);
  if (!ValidMasks(masks, header.biBitCount)) {
    return Fail("plat_create_dib_section: bad channel masks", std::nullopt);
  }
  return masks;
}

// The colour table: biClrUsed entries (0: the full 2^bits), at most 2^bits of them read.
std::vector<Rgb> ReadColorTable(const uint8_t* info, const PlatBitmapInfoHeader& header) {
  const size_t full = size_t{1} << header.biBitCount;
  const size_t used = header.biClrUsed == 0 || header.biClrUsed > full ? full : header.biClrUsed;
  std::vector<Rgb> entries(used);
  const uint8_t* table = info + header.biSize;
  for (size_t i = 0; i < used; ++i) {
    const uint8_t* entry = table + i * kColorEntryBytes;
    entries[i] = Rgb{entry[2], entry[1], entry[0]};
  }
  return entries;
}

std::optional<DibLayout> ParseHeader(const uint8_t* info) {
  PlatBitmapInfoHeader header;
  std::memcpy(&header, info, sizeof header);
  if (!KnownHeaderSize(header.biSize)) {
    return Fail("plat_create_dib_section: unknown header size", std::nullopt);
  }
  if (header.biPlanes != 1) return Fail("plat_create_dib_section: planes not 1", std::nullopt);
  if (!IsSupportedDepth(header.biBitCount)) {
    return Fail("plat_create_dib_section: unsupported bit count", std::nullopt);
  }
  const int64_t height = header.biHeight;
  if (!CheckBitmapSize(header.biWidth, height < 0 ? -height : height, header.biBitCount)) {
    return std::nullopt;
  }
  const auto masks = ReadMasks(info, header);
  if (!masks) return std::nullopt;
  DibLayout layout;
  layout.width = header.biWidth;
  layout.height = static_cast<int32_t>(height < 0 ? -height : height);
  layout.topDown = height < 0;
  layout.format.bitsPerPixel = header.biBitCount;
  layout.format.masks = *masks;
  if (UsesPalette(header.biBitCount)) {
    layout.format = MakeFormat(header.biBitCount, ReadColorTable(info, header));
  }
  return layout;
}

PlatHandle CreateDibSection(const uint8_t* info, void** bits) {
  auto layout = ParseHeader(info);
  if (!layout) return 0;
  auto bitmap =
      MakeOwnedBitmap(layout->width, layout->height, std::move(layout->format), layout->topDown);
  if (bitmap == nullptr) return 0;
  void* pixels = bitmap->pixels;
  const PlatHandle handle = AddBitmap(std::move(bitmap));
  if (handle != 0 && bits != nullptr) *bits = pixels;
  return handle;
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Fail;

// The context is not consulted: with RGB colours the header alone describes the bitmap. The
// header's image size is not trusted; rows are laid out padded to 4 bytes.
PlatHandle plat_create_dib_section(PlatHandle /*dc*/, const void* bitmapInfo, uint32_t usage,
                                   void** bits) {
  if (stamp::platform::ShouldFail(PLAT_FAULT_DIB_SECTION)) {
    return Fail("plat_create_dib_section failed (injected)", PlatHandle{0});
  }
  if (bits != nullptr) *bits = nullptr;
  if (bitmapInfo == nullptr) return Fail("plat_create_dib_section: no header", PlatHandle{0});
  if (usage != PLAT_DIB_RGB_COLORS) {
    return Fail("plat_create_dib_section: only RGB colour tables are supported", PlatHandle{0});
  }
  return stamp::platform::GuardedCall(PlatHandle{0}, [&] {
    return stamp::platform::CreateDibSection(static_cast<const uint8_t*>(bitmapInfo), bits);
  });
}
