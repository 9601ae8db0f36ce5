#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/platform_testing.h"
#include "platform_gdi/gdi_test_util.h"
#include "stamp/platform.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"
#include "support/test_host.h"

namespace stamp::test {
namespace {

// A 3x2 sheet of six distinct colours, as the host's encoder writes it: a bottom-up 24-bit file
// with rows padded to 4 bytes.
const uint32_t kSheet[2][3] = {{kRed, kGreen, kBlue}, {kWhiteRef, 0x808080, kBlackRef}};

Raster SheetPixels() {
  Raster sheet(3, 2);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) sheet.Set(x, y, RgbOf(kSheet[y][x]));
  }
  return sheet;
}

// A scratch folder whose files are written by the test and removed afterwards.
class BitmapFiles : public ::testing::Test {
 protected:
  // Writes the bytes under name and gives the path in backslash form.
  std::u16string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteFile(folder_ / name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    return WindowsPath(folder_ / name);
  }

  const TempFolder scratch_;
  const std::filesystem::path folder_ = scratch_.path();
};

TEST_F(BitmapFiles, LoadedFileBecomesATwentyFourBitBitmapWithTheFilesPixels) {
  const int32_t before = plat_live_object_count();
  const PlatHandle bitmap =
      plat_load_bitmap_file(WriteSheet(folder_ / "sheet.bmp", SheetPixels()).c_str());
  ASSERT_NE(bitmap, 0u) << plat_last_error();
  PlatBitmapDesc desc{};
  ASSERT_EQ(plat_get_bitmap_desc(bitmap, &desc), 1);
  EXPECT_EQ(desc.width, 3);
  EXPECT_EQ(desc.height, 2);
  EXPECT_EQ(desc.bitsPixel, 24);
  EXPECT_EQ(desc.widthBytes, 12);
  {
    SelectedBitmap source(bitmap);
    Dib24 target(3, 2);
    ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 3, 2, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
    EXPECT_EQ(target.Pixels(), SheetPixels());
  }
  EXPECT_EQ(plat_live_object_count(), before);
}

TEST_F(BitmapFiles, MissingUnreadableAndRefusedFilesFailWithAReason) {
  WriteSheet(folder_ / "whole.bmp", SheetPixels());
  std::vector<uint8_t> truncated = ReadBytes(folder_ / "whole.bmp");
  truncated.resize(30);
  const std::u16string paths[] = {
      WindowsPath(folder_ / "missing.bmp"),
      WindowsPath(folder_),  // a folder, not a file
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
  const std::u16string path = WriteSheet(folder_ / "sheet.bmp", SheetPixels());
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
