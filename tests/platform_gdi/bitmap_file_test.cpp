#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform_gdi/gdi_test_util.h"
#include "platform_gdi/picture24.h"
#include "stamp/platform.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A bottom-up 24-bit BMP of 3x2 pixels; colours top row first, as 0x00BBGGRR.
std::vector<uint8_t> SmallBmp(const uint32_t (&colors)[2][3]) {
  constexpr uint32_t kHeaders = 14 + 40;
  constexpr uint32_t kRowBytes = 12;  // 9 bytes padded to 4
  std::vector<uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  Put(file, kHeaders + 2 * kRowBytes, 4);
  Put(file, 0, 4);
  Put(file, kHeaders, 4);
  for (const uint32_t field : {40u, 3u, 2u}) Put(file, field, 4);
  Put(file, 1, 2);
  Put(file, 24, 2);
  for (int i = 0; i < 6; ++i) Put(file, 0, 4);
  for (int row = 1; row >= 0; --row) {
    for (const uint32_t color : colors[row]) {
      Put(file, (color >> 16) & 0xFF, 1);
      Put(file, (color >> 8) & 0xFF, 1);
      Put(file, color & 0xFF, 1);
    }
    Put(file, 0, 3);
  }
  return file;
}

// A scratch folder whose files are written by the test and removed afterwards.
class BitmapFiles : public ::testing::Test {
 protected:
  // Writes the bytes under name and gives the path in backslash form.
  std::u16string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteFile(folder_ / name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    return BackslashPath(folder_ / name);
  }
  static std::u16string BackslashPath(const std::filesystem::path& path) {
    std::u16string text;
    for (const char c : path.string()) text.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
    return text;
  }

  const TempFolder scratch_;
  const std::filesystem::path folder_ = scratch_.path();
};

constexpr uint32_t kSheet[2][3] = {{kRed, kGreen, kBlue}, {kWhiteRef, 0x808080, kBlackRef}};

TEST_F(BitmapFiles, LoadedFileBecomesATwentyFourBitBitmapWithTheFilesPixels) {
  const int32_t before = plat_live_object_count();
  const PlatHandle bitmap = plat_load_bitmap_file(Write("sheet.bmp", SmallBmp(kSheet)).c_str());
  ASSERT_NE(bitmap, 0u) << plat_last_error();
  PlatBitmapDesc desc{};
  ASSERT_EQ(plat_get_bitmap_desc(bitmap, &desc), 1);
  EXPECT_EQ(desc.width, 3);
  EXPECT_EQ(desc.height, 2);
  EXPECT_EQ(desc.bitsPixel, 24);
  EXPECT_EQ(desc.widthBytes, 12);
  {
    SelectedBitmap source(bitmap);
    Picture24 target(3, 2);
    ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 3, 2, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
    for (int32_t y = 0; y < 2; ++y) {
      for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(target.get(x, y), kSheet[y][x]) << x << "," << y;
    }
  }
  EXPECT_EQ(plat_live_object_count(), before);
}

TEST_F(BitmapFiles, MissingUnreadableAndRefusedFilesFailWithAReason) {
  std::vector<uint8_t> truncated = SmallBmp(kSheet);
  truncated.resize(30);
  const std::u16string paths[] = {
      BackslashPath(folder_ / "missing.bmp"),
      BackslashPath(folder_),  // a folder, not a file
      Write("empty.bmp", {}),
      Write("truncated.bmp", truncated),
      Write("text.bmp", {'h', 'e', 'l', 'l', 'o'}),
  };
  const int32_t before = plat_live_object_count();
  for (const std::u16string& path : paths) {
    EXPECT_EQ(plat_load_bitmap_file(path.c_str()), 0u);
    EXPECT_STRNE(plat_last_error(), "");
  }
  EXPECT_EQ(plat_load_bitmap_file(nullptr), 0u);
  EXPECT_EQ(plat_live_object_count(), before);
}

TEST_F(BitmapFiles, InjectedFaultsFailTheLoad) {
  const std::u16string path = Write("sheet.bmp", SmallBmp(kSheet));
  for (const PlatFault fault : {PLAT_FAULT_BMP_LOAD, PLAT_FAULT_ALLOC_LOW}) {
    plat_fault_inject(fault, 0);
    EXPECT_EQ(plat_load_bitmap_file(path.c_str()), 0u) << fault;
    plat_fault_clear();
  }
  const PlatHandle bitmap = plat_load_bitmap_file(path.c_str());
  EXPECT_NE(bitmap, 0u);
  plat_delete_object(bitmap);
}

}  // namespace
}  // namespace stamp::test
