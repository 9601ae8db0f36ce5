// plat_load_bitmap_file: reads a BMP file whole and decodes it into a new 24-bit bitmap (top-down,
// rows padded to 4 bytes) through platform/portable/bitmap_file.h.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/bitmap_file.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/gdi/gdi_bitmap.h"
#include "platform/posix/system/fault_injection.h"
#include "platform/support/safe_file.h"
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

// The file's bytes, once it is known to be a regular file (a FIFO or device is refused without
// waiting on it) of at most the largest BMP worth decoding.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::string why;
  const std::optional<std::string> bytes = ReadRegularFile(path.string(), kMaxBmpFileBytes, &why);
  if (!bytes) return Fail(why, std::nullopt);
  return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

// A new owned bitmap, registered at once: the rows are filled in place.
LoadedBitmap MakeBitmap(int32_t width, int32_t height) {
  auto bitmap = MakeOwnedBitmap(width, height, MakeFormat(kLoadedBitsPerPixel), true);
  if (bitmap == nullptr) return {};
  const Bitmap* rows = bitmap.get();
  return {AddBitmap(std::move(bitmap)), [rows](int32_t y) { return rows->Row(y); }};
}

PlatHandle LoadBitmapFile(const char16_t* path) {
  if (ShouldFail(PLAT_FAULT_BMP_LOAD)) return Fail("bitmap load failed (injected)", PlatHandle{0});
  if (path == nullptr) return Fail("plat_load_bitmap_file: no path", PlatHandle{0});
  const std::filesystem::path file = ToFileSystemPath(Utf16View(path));
  const auto bytes = ReadWholeFile(file);
  if (!bytes) return 0;
  return DecodeIntoBitmap(*bytes, file.string(), MakeBitmap);
}

}  // namespace
}  // namespace stamp::platform

PlatHandle plat_load_bitmap_file(const char16_t* path) {
  return stamp::platform::GuardedCall(PlatHandle{0},
                                      [&] { return stamp::platform::LoadBitmapFile(path); });
}
