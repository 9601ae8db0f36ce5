#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform_contract/contract_support.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"
#include "support/test_files.h"

namespace stamp::test {
namespace {

// A 3x2 sheet of six distinct colours.
const uint32_t kSheet[2][3] = {{kRed, kGreen, kBlue}, {kWhiteRef, 0x808080, kBlackRef}};

Raster SheetPixels() {
  Raster sheet(3, 2);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) sheet.Set(x, y, RgbOf(kSheet[y][x]));
  }
  return sheet;
}

// The picture as an uncompressed bottom-up 24-bit file: the 14-byte file header, the 40-byte
// info header, then the raster's rows (already bottom-up) padded to 4 bytes.
std::vector<uint8_t> Bmp24File(const Raster& picture) {
  const std::vector<uint8_t> info = DibInfo(picture.width(), picture.height(), 24);
  const size_t rowBytes = static_cast<size_t>(picture.width()) * 3;
  const size_t stride = (rowBytes + 3) / 4 * 4;
  const uint32_t offset = static_cast<uint32_t>(14 + info.size());
  const uint32_t size = offset + static_cast<uint32_t>(stride * picture.height());
  std::vector<uint8_t> file(size, 0);
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], &size, 4);
  std::memcpy(&file[10], &offset, 4);
  std::memcpy(&file[14], info.data(), info.size());
  for (int32_t row = 0; row < picture.height(); ++row) {
    std::memcpy(&file[offset + row * stride], picture.data() + row * rowBytes, rowBytes);
  }
  return file;
}

// A scratch folder whose files are written by the test and removed afterwards.
class BitmapFiles : public ::testing::Test {
 protected:
  // Writes the bytes under name and gives the path in backslash form.
  std::u16string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteFile(folder_ / name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    return PlatPath(folder_ / name);
  }

  const TempFolder scratch_;
  const std::filesystem::path folder_ = scratch_.path();
};

TEST_F(BitmapFiles, LoadedFileBecomesATwentyFourBitBitmapWithTheFilesPixels) {
  const NoObjectLeft noObjectLeft;
  const PlatHandle bitmap =
      plat_load_bitmap_file(Write("sheet.bmp", Bmp24File(SheetPixels())).c_str());
  ASSERT_NE(bitmap, 0u) << plat_last_error();
  const PlatBitmapDesc desc = Describe(bitmap);
  EXPECT_EQ(desc.width, 3);
  EXPECT_EQ(desc.height, 2);
  EXPECT_EQ(desc.bitsPixel, 24);
  EXPECT_EQ(desc.widthBytes, 12);
  SelectedBitmap source(bitmap);
  Dib24 target(3, 2);
  ASSERT_EQ(plat_bit_blt(target.dc(), 0, 0, 3, 2, source.dc(), 0, 0, PLAT_SRCCOPY), 1);
  EXPECT_EQ(target.Pixels(), SheetPixels());
}

TEST_F(BitmapFiles, MissingUnreadableAndRefusedFilesFailWithAReason) {
  std::vector<uint8_t> truncated = Bmp24File(SheetPixels());
  truncated.resize(30);
  const std::u16string paths[] = {
      PlatPath(folder_ / "missing.bmp"),
      PlatPath(folder_),  // a folder, not a file
      Write("empty.bmp", {}),
      Write("truncated.bmp", truncated),
      Write("text.bmp", {'h', 'e', 'l', 'l', 'o'}),
  };
  const NoObjectLeft noObjectLeft;
  for (const std::u16string& path : paths) {
    EXPECT_EQ(plat_load_bitmap_file(path.c_str()), 0u);
    EXPECT_STRNE(plat_last_error(), "");
  }
  EXPECT_EQ(plat_load_bitmap_file(nullptr), 0u);
}

}  // namespace
}  // namespace stamp::test
