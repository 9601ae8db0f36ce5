#include <gtest/gtest.h>

#include <functional>

#include "platform_contract/contract_support.h"
#include "platform_contract/gdi_test_util.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

struct DepthCase {
  uint16_t bits;
  int32_t width;
  int32_t widthBytes;
};

class DibDepths : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DibDepths, PixelMemoryIsZeroedLowAndDescribedWithPaddedRows) {
  const DepthCase c = GetParam();
  for (const int32_t height : {3, -3}) {
    const std::vector<uint32_t> table(c.bits <= 8 ? 2 : 0, kWhiteRef);
    const Dib dib = MakeDib(DibInfo(c.width, height, c.bits, table));
    ASSERT_NE(dib.handle, 0u) << plat_last_error();
    ASSERT_NE(dib.bits, nullptr);
    EXPECT_LE(reinterpret_cast<uintptr_t>(dib.bits) + uint64_t(c.widthBytes) * 3,
              uint64_t{1} << 32);
    for (int32_t i = 0; i < c.widthBytes * 3; ++i) ASSERT_EQ(dib.bits[i], 0) << i;
    const PlatBitmapDesc desc = Describe(dib.handle);
    EXPECT_EQ(desc.width, c.width);
    EXPECT_EQ(desc.height, 3);
    EXPECT_EQ(desc.widthBytes, c.widthBytes);
    EXPECT_EQ(desc.planes, 1);
    EXPECT_EQ(desc.bitsPixel, c.bits);
    EXPECT_EQ(plat_delete_object(dib.handle), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, DibDepths,
                         ::testing::Values(DepthCase{1, 33, 8}, DepthCase{4, 9, 8},
                                           DepthCase{8, 5, 8}, DepthCase{16, 3, 8},
                                           DepthCase{24, 5, 16}, DepthCase{32, 3, 12}));

// Headers as the plug-in builds them from a bitmap's description: the image size is computed
// from a byte count the layout does not use, and a 16-bit header carries a colour count although
// no table is read at that depth.
TEST(DibSections, ImageSizeAndColourCountOutsidePaletteDepthsAreNotTrusted) {
  const struct {
    uint16_t bits;
    uint32_t sizeImage, colorsUsed;
  } cases[] = {{24, 33u * 100 * 24, 0u}, {16, 0u, 65536u}};
  for (const auto& c : cases) {
    const Dib dib = MakeDib(WithHeader(DibInfo(264, 100, c.bits), [&c](PlatBitmapInfoHeader& h) {
      h.biSizeImage = c.sizeImage;
      h.biClrUsed = c.colorsUsed;
    }));
    ASSERT_NE(dib.handle, 0u) << c.bits;
    EXPECT_EQ(Describe(dib.handle).widthBytes, 264 * c.bits / 8);
    plat_delete_object(dib.handle);
  }
}

struct BadHeader {
  const char* name;
  std::function<void(PlatBitmapInfoHeader&)> spoil;
};

class DibRefusals : public ::testing::TestWithParam<BadHeader> {};

TEST_P(DibRefusals, HeaderIsRefusedWithAReasonAndNothingIsLeft) {
  const NoObjectLeft noObjectLeft;
  // Overlapping masks follow the header, for the cases that ask for bit fields.
  const std::vector<uint8_t> info = WithHeader(
      DibInfo(8, 8, 24, {0xFF00, 0xFF00, 0x00FF}, PLAT_BI_BITFIELDS), [](PlatBitmapInfoHeader& h) {
        h.biCompression = PLAT_BI_RGB;
        GetParam().spoil(h);
      });
  void* bits = &bits;  // anything but null, to see it cleared
  EXPECT_EQ(plat_create_dib_section(0, info.data(), PLAT_DIB_RGB_COLORS, &bits), 0u);
  EXPECT_EQ(bits, nullptr);
  EXPECT_STRNE(plat_last_error(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DibRefusals,
    ::testing::Values(
        BadHeader{"HeaderSize", [](auto& h) { h.biSize = 12; }},
        BadHeader{"Planes", [](auto& h) { h.biPlanes = 2; }},
        BadHeader{"BitCount", [](auto& h) { h.biBitCount = 2; }},
        BadHeader{"ZeroWidth", [](auto& h) { h.biWidth = 0; }},
        BadHeader{"NegativeWidth", [](auto& h) { h.biWidth = -8; }},
        BadHeader{"ZeroHeight", [](auto& h) { h.biHeight = 0; }},
        BadHeader{"MostNegativeHeight", [](auto& h) { h.biHeight = INT32_MIN; }},
        BadHeader{"HugeSides", [](auto& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
        BadHeader{"TooManyBytes", [](auto& h) { h.biWidth = h.biHeight = 30000; }},
        BadHeader{"Rle8", [](auto& h) { h.biBitCount = 8, h.biCompression = PLAT_BI_RLE8; }},
        BadHeader{"BitfieldsAt24", [](auto& h) { h.biCompression = PLAT_BI_BITFIELDS; }},
        BadHeader{"OverlappingMasks",
                  [](auto& h) { h.biBitCount = 32, h.biCompression = PLAT_BI_BITFIELDS; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibSections, BitfieldsWithSixFiveSixMasksAreAccepted) {
  const Dib dib = MakeDib(DibInfo(2, 2, 16, {0xF800, 0x07E0, 0x001F}, PLAT_BI_BITFIELDS));
  EXPECT_NE(dib.handle, 0u) << plat_last_error();
  plat_delete_object(dib.handle);
}

TEST(DibSections, PaletteColourUseAndMissingHeaderAreRefused) {
  const std::vector<uint8_t> info = DibInfo(2, 2, 8, {kRed});
  void* bits = nullptr;
  EXPECT_EQ(plat_create_dib_section(0, info.data(), 1, &bits), 0u);
  EXPECT_EQ(plat_create_dib_section(0, nullptr, PLAT_DIB_RGB_COLORS, &bits), 0u);
}

}  // namespace
}  // namespace stamp::test
