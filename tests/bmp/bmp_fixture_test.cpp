// Every valid fixture decodes to the picture an outside reader made of it, and reports the format
// its header states. tools/make-bmp-fixtures writes both; tests/fixtures/bmp/REFERENCES.md says
// which reader made each reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "bmp_test_files.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

using platform::DecodeBmp;

struct Fixture {
  const char* name;
  uint32_t headerSize;
  int32_t width;
  int32_t height;
  bool topDown;
  uint16_t bits;
  uint32_t compression;
  uint32_t paletteSize;
  // 1 where a channel is not 8 bits wide: outside readers scale such channels by repeating or
  // truncating bits, the decoder rounds to the nearest level, so the two may differ by 1.
  int tolerance;
};

void PrintTo(const Fixture& fixture, std::ostream* out) { *out << fixture.name; }

constexpr uint32_t kRgb = PLAT_BI_RGB;
constexpr uint32_t kRle8 = PLAT_BI_RLE8;
constexpr uint32_t kRle4 = PLAT_BI_RLE4;
constexpr uint32_t kFields = PLAT_BI_BITFIELDS;
constexpr uint32_t kAlphaFields = PLAT_BI_ALPHABITFIELDS;

const Fixture kFixtures[] = {
    {"core_pal1_13x7", 12, 13, 7, false, 1, kRgb, 2, 0},
    {"core_pal4_13x7", 12, 13, 7, false, 4, kRgb, 16, 0},
    {"core_pal8_31x9", 12, 31, 9, false, 8, kRgb, 256, 0},
    {"core_rgb24_13x7", 12, 13, 7, false, 24, kRgb, 0, 0},
    {"info40_bgrx32_13x7", 40, 13, 7, false, 32, kRgb, 0, 0},
    {"info40_alphafields1555_31x9", 40, 31, 9, false, 16, kAlphaFields, 0, 1},
    {"info40_alphafields_bgra32_13x7", 40, 13, 7, false, 32, kAlphaFields, 0, 0},
    {"info40_bitfields565_31x9", 40, 31, 9, false, 16, kFields, 0, 1},
    {"info40_gray8_13x7", 40, 13, 7, false, 8, kRgb, 256, 0},
    {"info40_pal1_31x9", 40, 31, 9, false, 1, kRgb, 2, 0},
    {"info40_pal2_31x9", 40, 31, 9, false, 2, kRgb, 4, 0},
    {"info40_pal2_topdown_13x7", 40, 13, 7, true, 2, kRgb, 4, 0},
    {"info40_pal4_31x9", 40, 31, 9, false, 4, kRgb, 16, 0},
    {"info40_pal4_gap_31x9", 40, 31, 9, false, 4, kRgb, 16, 0},
    {"info40_pal8_31x9", 40, 31, 9, false, 8, kRgb, 256, 0},
    {"info40_pal8_clrused16_31x9", 40, 31, 9, false, 8, kRgb, 16, 0},
    {"info40_pal8_topdown_31x9", 40, 31, 9, true, 8, kRgb, 256, 0},
    {"info40_rgb16_31x9", 40, 31, 9, false, 16, kRgb, 0, 1},
    {"info40_rgb24_31x9", 40, 31, 9, false, 24, kRgb, 0, 0},
    {"info40_rgb24_topdown_31x9", 40, 31, 9, true, 24, kRgb, 0, 0},
    {"info40_rle4_31x9", 40, 31, 9, false, 4, kRle4, 16, 0},
    {"info40_rle4_delta_13x7", 40, 13, 7, false, 4, kRle4, 16, 0},
    {"info40_rle8_31x9", 40, 31, 9, false, 8, kRle8, 256, 0},
    {"info40_rle8_delta_13x7", 40, 13, 7, false, 8, kRle8, 16, 0},
    {"info40_rle8_encoded_31x9", 40, 31, 9, false, 8, kRle8, 16, 0},
    {"os2v2_16_pal8_31x9", 16, 31, 9, false, 8, kRgb, 256, 0},
    {"os2v2_16_rgb24_13x7", 16, 13, 7, false, 24, kRgb, 0, 0},
    {"os2v2_64_pal4_31x9", 64, 31, 9, false, 4, kRgb, 16, 0},
    {"os2v2_64_rgb24_13x7", 64, 13, 7, false, 24, kRgb, 0, 0},
    {"os2v2_64_rle4_31x9", 64, 31, 9, false, 4, kRle4, 16, 0},
    {"os2v2_64_rle8_31x9", 64, 31, 9, false, 8, kRle8, 16, 0},
    {"v2_bitfields555_31x9", 52, 31, 9, false, 16, kFields, 0, 1},
    {"v3_bgra32_topdown_13x7", 56, 13, 7, true, 32, kFields, 0, 0},
    {"v4_rgbx32_13x7", 108, 13, 7, false, 32, kFields, 0, 0},
    {"v5_argb32_13x7", 124, 13, 7, false, 32, kFields, 0, 0},
    {"v5_pal4_13x7", 124, 13, 7, false, 4, kRgb, 16, 0},
    {"v5_rgb1010102_31x9", 124, 31, 9, false, 32, kFields, 0, 1},
    {"v5_rgb24_13x7", 124, 13, 7, false, 24, kRgb, 0, 0},
    {"v5_rgb555_31x9", 124, 31, 9, false, 16, kFields, 0, 1},
    {"v5_rgb565_31x9", 124, 31, 9, false, 16, kFields, 0, 1},
    {"v5_rgb565_topdown_13x7", 124, 13, 7, true, 16, kFields, 0, 1},
    {"v5_rle8_13x7", 124, 13, 7, false, 8, kRle8, 256, 0},
};

std::vector<uint8_t> FixtureBytes(const Fixture& fixture) {
  return ReadBytes(kBmpFixtureDir / (std::string(fixture.name) + ".bmp"));
}

int LargestDifference(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  int largest = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    largest = std::max(largest, std::abs(int{a[i]} - int{b[i]}));
  }
  return largest;
}

class BmpFixture : public testing::TestWithParam<Fixture> {};

TEST_P(BmpFixture, ReportsTheFormatItsHeaderStates) {
  const Fixture& fixture = GetParam();
  const auto result = DecodeBmp(FixtureBytes(fixture));
  ASSERT_TRUE(result.image) << result.error;
  const platform::BmpFormat& format = result.image->format;
  EXPECT_EQ(format.headerSize, fixture.headerSize);
  EXPECT_EQ(format.width, fixture.width);
  EXPECT_EQ(format.height, fixture.height);
  EXPECT_EQ(format.topDown, fixture.topDown);
  EXPECT_EQ(format.bitsPerPixel, fixture.bits);
  EXPECT_EQ(format.compression, fixture.compression);
  EXPECT_EQ(format.paletteSize, fixture.paletteSize);
}

TEST_P(BmpFixture, DecodesToTheOutsideReadersPixels) {
  const Fixture& fixture = GetParam();
  const auto reference = ReadPpm(kBmpFixtureDir / (std::string(fixture.name) + ".ppm"));
  ASSERT_TRUE(reference) << "reference picture missing or unreadable";
  const auto result = DecodeBmp(FixtureBytes(fixture));
  ASSERT_TRUE(result.image) << result.error;
  ASSERT_EQ(result.image->format.width, reference->width());
  ASSERT_EQ(result.image->format.height, reference->height());
  ASSERT_EQ(result.image->pixels.size(), size_t(reference->bytes()));
  const Raster decoded =
      Raster::FromTopDownBgr(reference->width(), reference->height(), result.image->pixels.data());
  if (fixture.tolerance == 0) {
    EXPECT_TRUE(decoded == *reference);
  } else {
    EXPECT_LE(LargestDifference({decoded.data(), size_t(decoded.bytes())},
                                {reference->data(), size_t(reference->bytes())}),
              fixture.tolerance);
  }
}

// A cut-off file is refused, except where only bytes the picture does not need are missing (the
// last row's padding, bytes after an RLE stream's end): then it decodes to the same pixels.
TEST_P(BmpFixture, EveryShorterPrefixIsRefusedOrDecodesTheSame) {
  const std::vector<uint8_t> bytes = FixtureBytes(GetParam());
  const auto whole = DecodeBmp(bytes);
  ASSERT_TRUE(whole.image) << whole.error;
  for (size_t length = 0; length < bytes.size(); ++length) {
    const auto cut = DecodeBmp(std::span(bytes).first(length));
    if (cut.image) {
      EXPECT_TRUE(cut.image->pixels == whole.image->pixels) << "prefix of " << length << " bytes";
    } else {
      EXPECT_FALSE(cut.error.empty()) << "prefix of " << length << " bytes";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BmpFixture, testing::ValuesIn(kFixtures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpFixtures, TableNamesEveryFixtureFile) {
  std::vector<std::string> named;
  for (const Fixture& fixture : kFixtures) named.push_back(std::string(fixture.name) + ".bmp");
  std::ranges::sort(named);
  EXPECT_EQ(named, ListFiles(kBmpFixtureDir, ".bmp"));
}

}  // namespace
}  // namespace stamp::test
