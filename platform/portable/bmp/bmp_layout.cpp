#include "platform/portable/bmp/bmp_layout.h"

#include <algorithm>
#include <bit>

#include "platform/portable/bmp/bmp_reader.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint16_t kSignature = 0x4D42;  // "BM" read as a little-endian word
constexpr uint32_t kCoreHeaderSize = 12;
// OS/2 2.x headers: the full 64 bytes, or only their first 16 (no compression, full palette).
constexpr uint32_t kOs2ShortHeaderSize = 16;
constexpr uint32_t kOs2HeaderSize = 64;
constexpr uint32_t kMaskedHeaderSize = 52;  // the smallest header that holds the masks itself
constexpr std::array<uint32_t, 8> kKnownHeaderSizes = {12, 16, 40, 52, 56, 64, 108, 124};
// Masks after a 40-byte header: red, green, blue, and alpha with alpha bit fields.
constexpr size_t kMaskBytes = 4;
constexpr size_t kColourMaskCount = 3;
constexpr size_t kAlphaMaskCount = 4;
// OS/2 2.x gives these values compressions of its own, which the decoder does not read.
constexpr uint32_t kOs2Huffman1d = 3;
constexpr uint32_t kOs2Rle24 = 4;
constexpr size_t kCorePaletteEntryBytes = 3;
constexpr size_t kInfoPaletteEntryBytes = 4;
constexpr uint16_t kMaxIndexedBits = 8;
constexpr std::array<uint32_t, 3> kMasks555 = {0x001F, 0x03E0, 0x7C00};  // blue, green, red
constexpr std::array<uint32_t, 3> kMasks888 = {0x0000FF, 0x00FF00, 0xFF0000};

// The header fields as the file states them.
struct RawHeader {
  uint32_t dataOffset = 0;
  uint32_t headerSize = 0;
  size_t headersEnd = 0;  // first byte after the headers and any trailing masks
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = PLAT_BI_RGB;
  uint32_t colorsUsed = 0;
  std::array<uint32_t, 3> masks{};  // blue, green, red; an alpha mask is read and ignored
  bool core() const { return headerSize == kCoreHeaderSize; }
  bool os2() const { return headerSize == kOs2ShortHeaderSize || headerSize == kOs2HeaderSize; }
  bool masked() const {
    return compression == PLAT_BI_BITFIELDS || compression == PLAT_BI_ALPHABITFIELDS;
  }
  int64_t rows() const { return height < 0 ? -height : height; }
};

std::string Size(int64_t width, int64_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

void ReadMasks(ByteReader& reader, RawHeader& raw) {
  const uint32_t red = reader.U32();
  const uint32_t green = reader.U32();
  raw.masks = {reader.U32(), green, red};
}

// The fields the 40-byte header, the larger ones and the OS/2 2.x headers share; the short OS/2
// header ends after the bit count, and its other fields keep their defaults.
void ReadSharedFields(ByteReader& reader, RawHeader& raw) {
  raw.width = reader.I32();
  raw.height = reader.I32();
  raw.planes = reader.U16();
  raw.bitCount = reader.U16();
  if (raw.headerSize == kOs2ShortHeaderSize) return;
  raw.compression = reader.U32();
  reader.Skip(12);  // image size and resolution: not needed to decode
  raw.colorsUsed = reader.U32();
  reader.Skip(4);  // important colours
}

std::string ReadInfoFields(ByteReader& reader, RawHeader& raw) {
  ReadSharedFields(reader, raw);
  if (raw.os2()) return {};  // no masks: the rest of the 64 bytes describes halftoning
  if (raw.headerSize >= kMaskedHeaderSize) {
    ReadMasks(reader, raw);
  } else if (raw.masked()) {
    const size_t count =
        raw.compression == PLAT_BI_ALPHABITFIELDS ? kAlphaMaskCount : kColourMaskCount;
    if (reader.Remaining() < count * kMaskBytes) return "truncated colour masks";
    ReadMasks(reader, raw);
    raw.headersEnd += count * kMaskBytes;
  }
  return {};
}

std::string ReadHeaders(std::span<const uint8_t> file, RawHeader& raw) {
  if (file.empty()) return "empty file";
  ByteReader reader(file);
  if (reader.U16() != kSignature) return "not a BMP file (bad signature)";
  reader.Skip(8);  // the file size and two reserved words: not trusted
  raw.dataOffset = reader.U32();
  raw.headerSize = reader.U32();
  if (reader.Overrun()) return "truncated file header";
  if (std::ranges::find(kKnownHeaderSizes, raw.headerSize) == kKnownHeaderSizes.end()) {
    return "unknown bitmap header size " + std::to_string(raw.headerSize);
  }
  if (file.size() - kFileHeaderSize < raw.headerSize) return "truncated bitmap header";
  raw.headersEnd = kFileHeaderSize + raw.headerSize;
  if (!raw.core()) return ReadInfoFields(reader, raw);
  raw.width = reader.U16();
  raw.height = reader.U16();
  raw.planes = reader.U16();
  raw.bitCount = reader.U16();
  return {};
}

std::string CheckGeometry(const RawHeader& raw) {
  if (raw.width <= 0) return "width " + std::to_string(raw.width) + " is not positive";
  if (raw.height == 0) return "height is zero";
  if (raw.width > kMaxBmpSide || raw.rows() > kMaxBmpSide) {
    return Size(raw.width, raw.rows()) + " exceeds the side limit of " +
           std::to_string(kMaxBmpSide) + " pixels";
  }
  const uint64_t decodedBytes = uint64_t(raw.width) * uint64_t(raw.rows()) * 3;
  if (decodedBytes > kMaxBmpDecodedBytes) {
    return Size(raw.width, raw.rows()) + " decodes to " + std::to_string(decodedBytes) +
           " bytes, over the limit of " + std::to_string(kMaxBmpDecodedBytes);
  }
  if (raw.planes != 1) return "plane count " + std::to_string(raw.planes) + " is not 1";
  return {};
}

bool IsIndexedOr24(uint16_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24;
}

bool IsSupportedEncoding(const RawHeader& raw) {
  const uint16_t bits = raw.bitCount;
  if (raw.core()) return IsIndexedOr24(bits);
  switch (raw.compression) {
    case PLAT_BI_RGB: return IsIndexedOr24(bits) || (!raw.os2() && (bits == 16 || bits == 32));
    case PLAT_BI_RLE8: return bits == 8;
    case PLAT_BI_RLE4: return bits == 4;
    case PLAT_BI_BITFIELDS:
    case PLAT_BI_ALPHABITFIELDS: return !raw.os2() && (bits == 16 || bits == 32);
    default: return false;
  }
}

std::string CheckEncoding(const RawHeader& raw) {
  if (raw.os2() && raw.compression == kOs2Huffman1d) {
    return "OS/2 Huffman 1D compression (3) is not supported";
  }
  if (raw.os2() && raw.compression == kOs2Rle24)
    return "OS/2 RLE24 compression (4) is not supported";
  if (!IsSupportedEncoding(raw)) {
    return "unsupported pairing of " + std::to_string(raw.bitCount) + " bits per pixel with " +
           "compression " + std::to_string(raw.compression);
  }
  const bool rle = raw.compression == PLAT_BI_RLE8 || raw.compression == PLAT_BI_RLE4;
  if (rle && raw.height < 0) return "top-down rows cannot be RLE-compressed";
  return {};
}

std::string CheckMasks(const std::array<uint32_t, 3>& masks, uint16_t bitCount) {
  const uint64_t pixelBits = (uint64_t{1} << bitCount) - 1;
  for (const uint32_t mask : masks) {
    if (mask == 0) return "a colour mask is zero";
    const uint32_t level = mask >> std::countr_zero(mask);
    if ((level & (level + 1)) != 0) return "colour mask " + std::to_string(mask) + " has gaps";
    if ((mask & ~pixelBits) != 0) return "colour mask " + std::to_string(mask) + " is too wide";
  }
  if ((masks[0] & masks[1]) != 0 || (masks[0] & masks[2]) != 0 || (masks[1] & masks[2]) != 0) {
    return "colour masks overlap";
  }
  return {};
}

std::string MakeChannels(const RawHeader& raw, std::array<BmpChannel, 3>& channels) {
  if (raw.bitCount != 16 && raw.bitCount != 32) return {};
  std::array<uint32_t, 3> masks = raw.bitCount == 16 ? kMasks555 : kMasks888;
  if (raw.masked()) {
    if (std::string error = CheckMasks(raw.masks, raw.bitCount); !error.empty()) return error;
    masks = raw.masks;
  }
  for (size_t c = 0; c < channels.size(); ++c) {
    const auto shift = static_cast<uint32_t>(std::countr_zero(masks[c]));
    channels[c] = {masks[c], shift, masks[c] >> shift};
  }
  return {};
}

// The colour table: 2^bits entries of 3 bytes for a core header; otherwise biClrUsed entries of
// 4 bytes (0, and always for a short OS/2 header: 2^bits), of which no more than 2^bits can be
// addressed. Gives the first byte after the table read.
std::string ReadPalette(std::span<const uint8_t> file, const RawHeader& raw, BmpLayout& layout,
                        size_t& paletteEnd) {
  paletteEnd = raw.headersEnd;
  if (raw.bitCount > kMaxIndexedBits) return {};
  const uint32_t capacity = uint32_t{1} << raw.bitCount;
  const uint32_t entries =
      raw.core() || raw.colorsUsed == 0 ? capacity : std::min(raw.colorsUsed, capacity);
  const size_t entryBytes = raw.core() ? kCorePaletteEntryBytes : kInfoPaletteEntryBytes;
  if (file.size() - raw.headersEnd < entries * entryBytes) return "colour table past end of file";
  layout.palette.assign(capacity, BmpColor{0, 0, 0});
  ByteReader reader(file, raw.headersEnd);
  for (uint32_t i = 0; i < entries; ++i) {
    const uint8_t blue = reader.U8();
    const uint8_t green = reader.U8();
    layout.palette[i] = {blue, green, reader.U8()};
    reader.Skip(entryBytes - 3);
  }
  layout.format.paletteSize = entries;
  paletteEnd = reader.Position();
  return {};
}

// Places the pixel data: at bfOffBits, or right after the colour table when bfOffBits is 0.
// Uncompressed rows must all be present, except the padding of the last row.
std::string LocateData(std::span<const uint8_t> file, const RawHeader& raw, size_t paletteEnd,
                       BmpLayout& layout) {
  if (raw.dataOffset != 0 && raw.dataOffset < raw.headersEnd) {
    return "pixel data offset " + std::to_string(raw.dataOffset) + " lies inside the headers";
  }
  const size_t offset = raw.dataOffset == 0 ? paletteEnd : raw.dataOffset;
  if (offset > file.size()) {
    return "pixel data offset " + std::to_string(offset) + " lies past the end of the file";
  }
  const uint64_t rowBits = uint64_t(raw.width) * raw.bitCount;
  layout.dataOffset = offset;
  layout.rowBytes = static_cast<size_t>((rowBits + 7) / 8);
  layout.stride = static_cast<size_t>((rowBits + 31) / 32 * 4);
  if (raw.compression == PLAT_BI_RLE8 || raw.compression == PLAT_BI_RLE4) return {};
  const uint64_t needed = uint64_t{layout.stride} * uint64_t(raw.rows() - 1) + layout.rowBytes;
  if (file.size() - offset < needed) {
    return "pixel data truncated: " + std::to_string(file.size() - offset) + " of " +
           std::to_string(needed) + " bytes present";
  }
  return {};
}

BmpFormat MakeFormat(const RawHeader& raw, uint32_t paletteSize) {
  BmpFormat format;
  format.headerSize = raw.headerSize;
  format.width = static_cast<int32_t>(raw.width);
  format.height = static_cast<int32_t>(raw.rows());
  format.topDown = raw.height < 0;
  format.bitsPerPixel = raw.bitCount;
  format.compression = raw.compression;
  format.paletteSize = paletteSize;
  return format;
}

}  // namespace

BmpLayoutResult ReadBmpLayout(std::span<const uint8_t> file) {
  RawHeader raw;
  BmpLayout layout;
  size_t paletteEnd = 0;
  std::string error = ReadHeaders(file, raw);
  if (error.empty()) error = CheckGeometry(raw);
  if (error.empty()) error = CheckEncoding(raw);
  if (error.empty()) error = MakeChannels(raw, layout.channels);
  if (error.empty()) error = ReadPalette(file, raw, layout, paletteEnd);
  if (error.empty()) error = LocateData(file, raw, paletteEnd, layout);
  if (!error.empty()) return {std::nullopt, std::move(error)};
  layout.format = MakeFormat(raw, layout.format.paletteSize);
  return {std::move(layout), {}};
}

}  // namespace stamp::platform
