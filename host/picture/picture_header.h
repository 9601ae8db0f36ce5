// What a picture file's header claims, read by a bounded reader before any decoder is handed the
// file, so its size is checked against the canvas limits before a decoder that decodes the whole
// picture at once allocates for it. PNG, JPEG, GIF and TIFF; BMP has a decoder of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace stamp::host {

enum class PictureFormat { kPng, kJpeg, kGif, kTiff };

struct PictureHeader {
  PictureFormat format = PictureFormat::kPng;
  uint32_t width = 0;
  uint32_t height = 0;
  // Of each pixel as a PNG stores it (bit depth x channels); 0 for the other formats.
  uint32_t storedPixelBits = 0;
};

// The format, by the file's signature; nullopt for none of the four.
std::optional<PictureFormat> SniffPictureFormat(std::span<const uint8_t> file);

// Why a file is refused when it ends before its header or its last chunk, on every system.
inline constexpr char kDataEndsEarly[] = "the picture's data ends early";
// Why a PNG is refused when PngCanHold says it cannot hold its picture.
inline constexpr char kTooShortForItsSize[] = "the file is too short for its size";

// The header of a file of that format, or why it cannot be read (one clause).
struct HeaderRead {
  std::optional<PictureHeader> header;
  std::string error;
};
HeaderRead ReadPictureHeader(PictureFormat format, std::span<const uint8_t> file);

// Whether a PNG's chunks, walked by their lengths, reach its end chunk inside the file; a cut
// file does not, and is refused with kDataEndsEarly before it is decoded, as libpng refuses it.
bool PngReachesItsEnd(std::span<const uint8_t> png);

// Whether fileBytes of PNG could hold a picture of this size at all, counted with its own pixel
// bits: deflate stores at most about 1032 bytes in one, so a shorter file is damaged, whatever
// it claims. Asked once the size has passed the canvas limits, which keep the product in range.
bool PngCanHold(uint64_t fileBytes, uint64_t width, uint64_t height, uint32_t storedPixelBits);

}  // namespace stamp::host
