#include "host/picture/picture_header.h"

#include <algorithm>
#include <array>

namespace stamp::host {
namespace {

using Bytes = std::span<const uint8_t>;

constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngChunkHeader = 8;  // length, type
constexpr size_t kPngChunkFrame = 12;  // length, type, checksum
constexpr size_t kPngIhdrBytes = 13;
constexpr uint32_t kPngMaxChunk = 0x7FFFFFFF;
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint16_t kTiffWidthTag = 256;
constexpr uint16_t kTiffHeightTag = 257;
constexpr uint16_t kTiffShort = 3;
constexpr uint16_t kTiffLong = 4;
constexpr size_t kTiffEntryBytes = 12;

bool StartsWith(Bytes file, std::string_view signature) {
  return file.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), file.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

// Reads unsigned integers of either byte order; every read past the end gives nullopt.
class Reader {
 public:
  Reader(Bytes file, bool bigEndian) : file_(file), bigEndian_(bigEndian) {}
  std::optional<uint32_t> Get(size_t at, size_t bytes) const {
    if (at > file_.size() || file_.size() - at < bytes) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) {
      const uint32_t byte = file_[at + (bigEndian_ ? i : bytes - 1 - i)];
      value = (value << 8) | byte;
    }
    return value;
  }
  std::optional<uint32_t> Be16(size_t at) const { return Get(at, 2); }

 private:
  Bytes file_;
  bool bigEndian_;
};

HeaderRead Refused(std::string why) { return {std::nullopt, std::move(why)}; }

HeaderRead Sized(PictureFormat format, std::optional<uint32_t> width,
                 std::optional<uint32_t> height, uint32_t storedPixelBits = 0) {
  if (!width || !height) return Refused(kDataEndsEarly);
  if (*width == 0 || *height == 0) return Refused("the file gives its picture no pixels");
  return {PictureHeader{format, *width, *height, storedPixelBits}, {}};
}

HeaderRead ReadPng(Bytes file) {
  const Reader in(file, true);
  const size_t ihdr = kPngSignature.size();
  if (file.size() < ihdr + kPngChunkHeader + kPngIhdrBytes) return Refused(kDataEndsEarly);
  if (in.Get(ihdr, 4) != kPngIhdrBytes || !StartsWith(file.subspan(ihdr + 4), "IHDR"))
    return Refused("the file does not begin with its header chunk");
  const size_t fields = ihdr + kPngChunkHeader;
  const uint32_t depth = file[fields + 8];
  constexpr std::array<uint32_t, 7> kChannels = {1, 0, 3, 1, 2, 0, 4};  // by colour type
  const uint32_t colourType = file[fields + 9];
  const uint32_t channels = colourType < kChannels.size() ? kChannels[colourType] : 0;
  if (channels == 0) return Refused("the header names an unknown colour type");
  return Sized(PictureFormat::kPng, in.Get(fields, 4), in.Get(fields + 4, 4), depth * channels);
}

// The size of the first frame header (SOF) found before the pixels start.
HeaderRead ReadJpeg(Bytes file) {
  const Reader in(file, true);
  for (size_t at = 2;;) {
    if (at >= file.size()) return Refused(kDataEndsEarly);
    if (file[at] != 0xFF) return Refused("the JPEG's markers are damaged");
    while (at < file.size() && file[at] == 0xFF) ++at;
    if (at >= file.size()) return Refused(kDataEndsEarly);
    const uint8_t marker = file[at++];
    const bool standalone = marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
    if (standalone) continue;
    if (marker == 0xD9 || marker == 0xDA)
      return Refused("the JPEG gives no size before its pixels");
    const std::optional<uint32_t> length = in.Be16(at);
    if (!length) return Refused(kDataEndsEarly);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) return Sized(PictureFormat::kJpeg, in.Be16(at + 5), in.Be16(at + 3));
    if (*length < 2) return Refused("the JPEG's markers are damaged");
    at += *length;
  }
}

HeaderRead ReadGif(Bytes file) {
  const Reader in(file, false);
  return Sized(PictureFormat::kGif, in.Get(6, 2), in.Get(8, 2));
}

// The width and height entries of the first directory.
HeaderRead ReadTiff(Bytes file) {
  const Reader in(file, file[0] == 'M');
  const std::optional<uint32_t> directory = in.Get(4, 4);
  const std::optional<uint32_t> entries = directory ? in.Get(*directory, 2) : std::nullopt;
  if (!entries) return Refused(kDataEndsEarly);
  std::optional<uint32_t> width, height;
  for (uint32_t k = 0; k < *entries; ++k) {
    const size_t entry = size_t{*directory} + 2 + k * kTiffEntryBytes;
    const std::optional<uint32_t> tag = in.Get(entry, 2);
    const std::optional<uint32_t> type = in.Get(entry + 2, 2);
    if (!tag || !type || !in.Get(entry + 8, 4)) return Refused(kDataEndsEarly);
    const std::optional<uint32_t> value = *type == kTiffShort  ? in.Get(entry + 8, 2)
                                          : *type == kTiffLong ? in.Get(entry + 8, 4)
                                                               : std::nullopt;
    if (*tag == kTiffWidthTag) width = value;
    if (*tag == kTiffHeightTag) height = value;
  }
  if (!width || !height) return Refused("the TIFF gives no size for its picture");
  return Sized(PictureFormat::kTiff, width, height);
}

}  // namespace

std::optional<PictureFormat> SniffPictureFormat(Bytes file) {
  const std::string_view png(reinterpret_cast<const char*>(kPngSignature.data()),
                             kPngSignature.size());
  if (StartsWith(file, png)) return PictureFormat::kPng;
  if (StartsWith(file, "\xFF\xD8\xFF")) return PictureFormat::kJpeg;
  if (StartsWith(file, "GIF87a") || StartsWith(file, "GIF89a")) return PictureFormat::kGif;
  if (StartsWith(file, std::string_view("II*\0", 4)) ||
      StartsWith(file, std::string_view("MM\0*", 4)))
    return PictureFormat::kTiff;
  return std::nullopt;
}

HeaderRead ReadPictureHeader(PictureFormat format, Bytes file) {
  switch (format) {
    case PictureFormat::kPng: return ReadPng(file);
    case PictureFormat::kJpeg: return ReadJpeg(file);
    case PictureFormat::kGif: return ReadGif(file);
    case PictureFormat::kTiff: return ReadTiff(file);
  }
  return Refused("the format is unknown");
}

bool PngReachesItsEnd(Bytes png) {
  const Reader in(png, true);
  for (size_t at = kPngSignature.size();;) {
    const std::optional<uint32_t> length = in.Get(at, 4);
    if (!length || *length > kPngMaxChunk || png.size() - at < kPngChunkFrame + *length)
      return false;
    if (StartsWith(png.subspan(at + 4), "IEND")) return true;
    at += kPngChunkFrame + *length;
  }
}

bool PngCanHold(uint64_t fileBytes, uint64_t width, uint64_t height, uint32_t storedPixelBits) {
  const uint64_t rowBytes = 1 + (width * storedPixelBits + 7) / 8;
  return fileBytes * kMaxDeflateRatio >= rowBytes * height;
}

}  // namespace stamp::host
