// plat_load_bitmap_file: reads a BMP file whole, decodes it and wraps the pixels into a new 24-bit
// bitmap (top-down, rows padded to 4 bytes).
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/c_boundary.h"
#include "platform/posix/gdi/gdi_bitmap.h"
#include "platform/posix/system/fault_injection.h"
#include "platform/support/bmp_decoder.h"
#include "platform/support/safe_file.h"
#include "platform/support/text_encoding.h"
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

constexpr uint16_t kLoadedBitsPerPixel = 24;

// The file's bytes, once it is known to be a regular file (a FIFO or device is refused without
// waiting on it) of at most the largest BMP worth decoding.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::string why;
  const std::optional<std::string> bytes = ReadRegularFile(path.string(), kMaxBmpFileBytes, &why);
  if (!bytes) return Fail(why, std::nullopt);
  return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

PlatHandle WrapDecoded(const DecodedBmp& image) {
  if (!FillsItsFormat(image)) return Fail("decoded image has the wrong size", PlatHandle{0});
  const int32_t height = image.format.height;
  auto bitmap = MakeOwnedBitmap(image.format.width, height, MakeFormat(kLoadedBitsPerPixel), true);
  if (bitmap == nullptr) return 0;
  for (int32_t y = 0; y < height; ++y) {
    const std::span<const uint8_t> row = DecodedRow(image, y);
    std::memcpy(bitmap->Row(y), row.data(), row.size());
  }
  return AddBitmap(std::move(bitmap));
}

PlatHandle LoadBitmapFile(const char16_t* path) {
  if (ShouldFail(PLAT_FAULT_BMP_LOAD)) return Fail("bitmap load failed (injected)", PlatHandle{0});
  if (path == nullptr) return Fail("plat_load_bitmap_file: no path", PlatHandle{0});
  const std::filesystem::path file = ToFileSystemPath(Utf16View(path));
  const auto bytes = ReadWholeFile(file);
  if (!bytes) return 0;
  const BmpDecodeResult decoded = DecodeBmp(*bytes);
  if (!decoded.image) return Fail(file.string() + ": " + decoded.error, PlatHandle{0});
  return WrapDecoded(*decoded.image);
}

}  // namespace
}  // namespace stamp::platform

PlatHandle plat_load_bitmap_file(const char16_t* path) {
  return stamp::platform::GuardedCall(PlatHandle{0},
                                      [&] { return stamp::platform::LoadBitmapFile(path); });
}
