// plat_load_bitmap_file: the file read whole and decoded into a new 24-bit top-down DIB section
// through platform/portable/bitmap_file.h.
#include <optional>
#include <string>
#include <vector>

#include "platform/portable/bitmap_file.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/last_error.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_handles.h"

namespace stamp::platform {
namespace {

constexpr size_t kDibRowAlignment = 4;

std::string Utf8(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<size_t>(bytes - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const wchar_t* path) {
  const OwnedHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
    return Fail("not a readable file: " + Utf8(path), std::nullopt);
  }
  if (static_cast<uintmax_t>(size.QuadPart) > kMaxBmpFileBytes) {
    return Fail("file too large: " + Utf8(path), std::nullopt);
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return Fail("cannot read " + Utf8(path), std::nullopt);
  }
  return bytes;
}

// A 24-bit top-down DIB section, each row padded to a whole 4 bytes.
LoadedBitmap MakeDibSection(int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kLoadedBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return {Fail("CreateDIBSection failed", PlatHandle{0}), {}};
  const size_t rowBytes = size_t(width) * 3;
  const size_t stride = (rowBytes + kDibRowAlignment - 1) / kDibRowAlignment * kDibRowAlignment;
  auto* stored = static_cast<uint8_t*>(bits);
  return {ToHandle(bitmap), [stored, stride](int32_t y) { return stored + size_t(y) * stride; }};
}

PlatHandle LoadBitmapFile(const char16_t* path) {
  if (path == nullptr) return Fail("plat_load_bitmap_file: no path", PlatHandle{0});
  const auto bytes = ReadWholeFile(Wide(path));
  if (!bytes) return 0;
  return DecodeIntoBitmap(*bytes, Utf8(Wide(path)), MakeDibSection);
}

}  // namespace
}  // namespace stamp::platform

PlatHandle plat_load_bitmap_file(const char16_t* path) {
  return stamp::platform::GuardedCall(PlatHandle{0},
                                      [&] { return stamp::platform::LoadBitmapFile(path); });
}
