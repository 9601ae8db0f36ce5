#include "src/images/make_bitmap_info.h"

#include <cstring>
#include <new>

#include "src/core/messages.h"

namespace stamp {
namespace {

constexpr uint32_t kHeaderBytes = sizeof(PlatBitmapInfoHeader);
constexpr uint32_t kColourEntryBytes = 4;
constexpr uint16_t kTrueColourBits = 24;

// 2^bits as the 32-bit count it is stored in: at 32 bits the count wraps to 0.
uint32_t ColourCount(uint16_t bits) { return bits >= 32 ? 0 : uint32_t{1} << bits; }

}  // namespace

uint16_t ColourBits(uint16_t planes, uint16_t bitsPixel) {
  const auto bits = static_cast<uint16_t>(uint32_t{planes} * bitsPixel);
  if (bits == 1) return 1;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  if (bits <= 16) return 16;
  if (bits <= 24) return 24;
  return 32;
}

std::vector<uint8_t> BitmapInfoFor(const PlatBitmapDesc& desc) {
  const uint16_t bits = ColourBits(desc.planes, desc.bitsPixel);
  const uint32_t colours = bits == kTrueColourBits ? 0 : ColourCount(bits);
  std::vector<uint8_t> info(kHeaderBytes + size_t{kColourEntryBytes} * colours, 0);

  // The image size is a 32-bit field: the product is formed in unsigned 64-bit arithmetic, whose
  // low 32 bits are the signed product modulo 2^32 for any width and height.
  const auto rowGroups = static_cast<uint64_t>((int64_t{desc.width} + 7) / 8);
  const auto rows = static_cast<uint64_t>(int64_t{desc.height});
  PlatBitmapInfoHeader header{};
  header.biSize = kHeaderBytes;
  header.biWidth = desc.width;
  header.biHeight = desc.height;
  header.biPlanes = desc.planes;
  header.biBitCount = desc.bitsPixel;
  header.biCompression = PLAT_BI_RGB;
  header.biSizeImage = static_cast<uint32_t>(rowGroups * rows * bits);
  header.biClrUsed = bits < kTrueColourBits ? ColourCount(bits) : 0;
  std::memcpy(info.data(), &header, sizeof header);
  return info;
}

// Callers hold platform objects while they ask, so a header without memory is reported as no
// header, which they refuse like any other, rather than as an exception passing through them.
std::vector<uint8_t> MakeBitmapInfo(PlatHandle bitmap) {
  PlatBitmapDesc desc{};
  if (plat_get_bitmap_desc(bitmap, &desc) == 0) {
    plat_message_box(kBitmapError);
    return {};
  }
  try {
    return BitmapInfoFor(desc);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace stamp
