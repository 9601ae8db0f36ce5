// The bitmap header made for a format: the rounded colour depth, the allocation with its colour
// table, and each field of the 40-byte header.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/testing/platform_testing.h"
#include "src/files/make_bitmap_info.h"
#include "platform/support/scripted_ui.h"
#include "support/test_host.h"

namespace stamp {
namespace {

struct DepthCase {
  uint16_t planes;
  uint16_t bitsPixel;
  uint16_t colourBits;
};

class ColourBitsTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(ColourBitsTest, RoundsPlanesTimesBitsUpToAKnownDepth) {
  EXPECT_EQ(ColourBits(GetParam().planes, GetParam().bitsPixel), GetParam().colourBits);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ColourBitsTest,
    ::testing::Values(
        DepthCase{1, 0, 4}, DepthCase{1, 1, 1}, DepthCase{1, 2, 4}, DepthCase{1, 4, 4},
        DepthCase{1, 5, 8}, DepthCase{1, 8, 8}, DepthCase{1, 9, 16}, DepthCase{1, 16, 16},
        DepthCase{1, 17, 24}, DepthCase{1, 24, 24}, DepthCase{1, 25, 32}, DepthCase{1, 32, 32},
        DepthCase{3, 8, 24}, DepthCase{2, 1, 4},
        // planes x bits is kept to 16 bits: 65536 wraps to 0 (giving 4), 65535 x 65535 to 1
        DepthCase{256, 256, 4}, DepthCase{65535, 65535, 1}));

struct HeaderCase {
  PlatBitmapDesc desc;
  size_t bytes;  // header plus colour table
  uint32_t clrUsed;
  uint32_t sizeImage;  // ((width + 7) div 8) x height x colour bits, modulo 2^32
};

class BitmapInfoTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BitmapInfoTest, FillsTheHeaderAndAZeroColourTable) {
  const PlatBitmapDesc& desc = GetParam().desc;
  const std::vector<uint8_t> info = BitmapInfoFor(desc);
  ASSERT_EQ(info.size(), GetParam().bytes);
  PlatBitmapInfoHeader header;
  std::memcpy(&header, info.data(), sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, desc.width);
  EXPECT_EQ(header.biHeight, desc.height);
  EXPECT_EQ(header.biPlanes, desc.planes);
  EXPECT_EQ(header.biBitCount, desc.bitsPixel);
  EXPECT_EQ(header.biCompression, uint32_t{PLAT_BI_RGB});
  EXPECT_EQ(header.biSizeImage, GetParam().sizeImage);
  EXPECT_EQ(header.biClrUsed, GetParam().clrUsed);
  EXPECT_EQ(header.biXPelsPerMeter, 0);
  EXPECT_EQ(header.biYPelsPerMeter, 0);
  EXPECT_EQ(header.biClrImportant, 0u);
  EXPECT_TRUE(std::all_of(info.begin() + 40, info.end(), [](uint8_t b) { return b == 0; }));
}

constexpr PlatBitmapDesc Panel(uint16_t planes, uint16_t bits) {
  return {264, 100, 0, planes, bits};
}

INSTANTIATE_TEST_SUITE_P(
    Formats, BitmapInfoTest,
    ::testing::Values(
        HeaderCase{Panel(1, 1), 40 + 4 * 2, 2, 33 * 100 * 1},
        HeaderCase{Panel(1, 4), 40 + 4 * 16, 16, 33 * 100 * 4},
        HeaderCase{Panel(1, 8), 40 + 4 * 256, 256, 33 * 100 * 8},
        HeaderCase{Panel(1, 16), 40 + 4 * 65536, 65536, 33 * 100 * 16},
        HeaderCase{Panel(1, 24), 40, 0, 33 * 100 * 24},
        // the 32-bit colour table of 2^32 entries wraps to none
        HeaderCase{Panel(1, 32), 40, 0, 33 * 100 * 32},
        // the bit count stays the description's; the size uses the rounded 24
        HeaderCase{Panel(3, 8), 40, 0, 33 * 100 * 24},
        HeaderCase{Panel(1, 3), 40 + 4 * 16, 16, 33 * 100 * 4},
        // a top-down description and sizes whose product leaves 32 bits
        HeaderCase{{264, -100, 0, 1, 24}, 40, 0, static_cast<uint32_t>(-33 * 100 * 24)},
        HeaderCase{{INT_MAX, INT_MAX, 0, 1, 32}, 40, 0, 0},
        HeaderCase{{INT_MIN, 3, 0, 1, 24}, 40, 0, static_cast<uint32_t>(-268435455LL * 3 * 24)}));

class MakeBitmapInfoTest : public test::HostTest {
 protected:
  void SetUp() override { ui.Install(); }
  void TearDown() override {
    plat_fault_clear();
    HostTest::TearDown();
  }
  platform::ScriptedUi ui;
};

TEST_F(MakeBitmapInfoTest, DescribesAPlatformBitmap) {
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 264, 100);
  const std::vector<uint8_t> info = MakeBitmapInfo(bitmap);
  plat_delete_object(bitmap);
  ASSERT_EQ(info.size(), 40u);
  PlatBitmapInfoHeader header;
  std::memcpy(&header, info.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 264);
  EXPECT_EQ(header.biHeight, 100);
  EXPECT_EQ(header.biBitCount, PLAT_SCREEN_BITS_PER_PIXEL);
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(MakeBitmapInfoTest, UnreadableDescriptionGivesNoHeaderAndABitmapError) {
  const PlatHandle bitmap = plat_create_compatible_bitmap(0, 264, 100);
  plat_fault_inject(PLAT_FAULT_BITMAP_DESC, 0);
  EXPECT_TRUE(MakeBitmapInfo(bitmap).empty());
  plat_delete_object(bitmap);
  EXPECT_TRUE(MakeBitmapInfo(0).empty());
  EXPECT_EQ(ui.messages(), (std::vector<std::u16string>{u"Bitmap Error", u"Bitmap Error"}));
}

}  // namespace
}  // namespace stamp
