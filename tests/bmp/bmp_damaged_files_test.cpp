// Files that are not plain valid BMPs. Each broken file is refused with a one-line reason that
// names what is wrong with it. Damaged or unusual files the decoder accepts decode to what it
// makes of them: runs cut at the row's end, indices past the colour table shown black, a missing
// last-row padding, a zero data offset, and bitfield channels scaled to the nearest 8-bit level.
// The fuzzer's seed corpus and the regression files its findings became are each decoded whole or
// refused with a reason; under the sanitizer build this catches any read or write out of bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "bmp_test_files.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "stamp/platform.h"

namespace stamp::test {
namespace {

using platform::DecodeBmp;

// A test's name from a file's: the part before its extension.
std::string FileStem(const std::string& file) { return file.substr(0, file.find('.')); }

struct Refusal {
  const char* file;
  const char* reason;  // a part of the expected reason
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.file; }

const Refusal kRefusals[] = {
    {"empty.bmp", "empty file"},
    {"bad_signature.bmp", "bad signature"},
    {"truncated_file_header.bmp", "truncated file header"},
    {"truncated_bitmap_header.bmp", "truncated bitmap header"},
    {"unknown_header_size_48.bmp", "unknown bitmap header size 48"},
    {"os2_huffman_1d.bmp", "OS/2 Huffman 1D compression (3) is not supported"},
    {"os2_rle24.bmp", "OS/2 RLE24 compression (4) is not supported"},
    {"os2_with_32_bits.bmp", "unsupported pairing of 32 bits per pixel with compression 0"},
    {"truncated_alpha_mask.bmp", "truncated colour masks"},
    {"zero_width.bmp", "width 0 is not positive"},
    {"negative_width.bmp", "width -4 is not positive"},
    {"zero_height.bmp", "height is zero"},
    {"side_over_limit.bmp", "16385x1 exceeds the side limit"},
    {"most_negative_height.bmp", "4x2147483648 exceeds the side limit"},
    {"promises_4gib.bmp", "32768x32768 exceeds the side limit"},
    {"sides_in_limit_size_over.bmp", "16384x16384 decodes to 805306368 bytes, over the limit"},
    {"decoded_size_over_limit.bmp", "8192x4096 decodes to 100663296 bytes, over the limit"},
    {"two_planes.bmp", "plane count 2 is not 1"},
    {"rle8_with_24_bits.bmp", "unsupported pairing of 24 bits per pixel with compression 1"},
    {"bitfields_with_24_bits.bmp", "unsupported pairing of 24 bits per pixel with compression 3"},
    {"jpeg_compression.bmp", "unsupported pairing of 24 bits per pixel with compression 4"},
    {"zero_bits_per_pixel.bmp", "unsupported pairing of 0 bits per pixel"},
    {"core_with_16_bits.bmp", "unsupported pairing of 16 bits per pixel"},
    {"top_down_rle8.bmp", "top-down rows cannot be RLE-compressed"},
    {"truncated_masks.bmp", "truncated colour masks"},
    {"zero_mask.bmp", "a colour mask is zero"},
    {"overlapping_masks.bmp", "colour masks overlap"},
    {"mask_with_gap.bmp", "colour mask 1504 has gaps"},
    {"mask_wider_than_pixel.bmp", "colour mask 129024 is too wide"},
    {"palette_past_end.bmp", "colour table past end of file"},
    {"offset_inside_headers.bmp", "pixel data offset 20 lies inside the headers"},
    {"offset_past_end.bmp", "pixel data offset 1000 lies past the end of the file"},
    {"pixels_truncated.bmp", "pixel data truncated: 11 of 24 bytes present"},
    {"pixels_missing.bmp", "pixel data truncated: 0 of 8 bytes present"},
    {"rle8_without_end.bmp", "RLE data ends before the end-of-bitmap marker"},
    {"rle8_absolute_past_data.bmp", "RLE absolute run past the end of the data"},
    {"rle4_move_past_data.bmp", "RLE move past the end of the data"},
};

class BmpRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(BmpRefusal, IsRefusedWithItsOneLineReason) {
  const auto result = DecodeBmp(ReadBytes(kBmpFixtureDir / "broken" / GetParam().file));
  ASSERT_FALSE(result.image);
  EXPECT_NE(result.error.find(GetParam().reason), std::string::npos) << result.error;
  EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, BmpRefusal, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return FileStem(info.param.file); });

TEST(BmpRefusals, TableNamesEveryBrokenFile) {
  std::vector<std::string> named;
  for (const Refusal& refusal : kRefusals) named.emplace_back(refusal.file);
  std::ranges::sort(named);
  EXPECT_EQ(named, ListFiles(kBmpFixtureDir / "broken", ".bmp"));
}

// Blue, green, red pixels, top row first, from letters: R red, G green, B blue, W white, K black.
std::vector<uint8_t> Picture(std::initializer_list<std::string_view> rows) {
  std::vector<uint8_t> bgr;
  for (std::string_view row : rows) {
    for (char letter : row) {
      const bool white = letter == 'W';
      bgr.push_back(white || letter == 'B' ? 255 : 0);
      bgr.push_back(white || letter == 'G' ? 255 : 0);
      bgr.push_back(white || letter == 'R' ? 255 : 0);
    }
  }
  return bgr;
}

struct Repair {
  const char* file;
  std::vector<uint8_t> pixels;
};

void PrintTo(const Repair& repair, std::ostream* out) { *out << repair.file; }

// 4x2 files whose colour table is red, green, blue, white; see tools/make-bmp-fixtures.
const Repair kRepairs[] = {
    {"rle8_run_past_row.bmp", Picture({"RRRR",          // untouched: palette entry 0
                                       "BBBB"})},       // a run of 6 blues, then 1 white, cut
    {"rle8_absolute_past_row.bmp", Picture({"WRRR",     // then a move past the top
                                            "GBWG"})},  // absolute 1 2 3 1 2, cut
    {"rle8_rows_past_picture.bmp", Picture({"BBBB",     // whites after the top row are dropped
                                            "GGGG"})},
    {"rle4_run_past_row.bmp", Picture({"GWRR",         // a run of 1 3
                                       "BWBW"})},      // a run of 2 3 2 3 2 3 2 3 2, cut
    {"pal8_index_past_table.bmp", Picture({"KKKK",     // indices 4 5 6 255 of a 4-entry table
                                           "RGBW"})},  // indices 0 1 2 3
};

class BmpRepair : public testing::TestWithParam<Repair> {};

TEST_P(BmpRepair, DecodesToTheDocumentedPixels) {
  const auto result = DecodeBmp(ReadBytes(kBmpFixtureDir / "odd" / GetParam().file));
  ASSERT_TRUE(result.image) << result.error;
  EXPECT_EQ(result.image->pixels, GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(OddFiles, BmpRepair, testing::ValuesIn(kRepairs),
                         [](const auto& info) { return FileStem(info.param.file); });

// 31 pixels of 24 bits make rows of 93 bytes padded to 96.
TEST(BmpRepairs, LastRowWithoutItsPaddingDecodes) {
  std::vector<uint8_t> bytes = ReadBytes(kBmpFixtureDir / "info40_rgb24_31x9.bmp");
  const auto whole = DecodeBmp(bytes);
  ASSERT_TRUE(whole.image) << whole.error;
  bytes.resize(bytes.size() - 3);
  const auto unpadded = DecodeBmp(bytes);
  ASSERT_TRUE(unpadded.image) << unpadded.error;
  EXPECT_EQ(unpadded.image->pixels, whole.image->pixels);
  bytes.pop_back();
  EXPECT_FALSE(DecodeBmp(bytes).image);
}

TEST(BmpRepairs, ZeroDataOffsetMeansRightAfterTheColourTable) {
  std::vector<uint8_t> bytes = ReadBytes(kBmpFixtureDir / "info40_pal8_clrused16_31x9.bmp");
  const auto stated = DecodeBmp(bytes);
  ASSERT_TRUE(stated.image) << stated.error;
  std::fill_n(bytes.begin() + 10, 4, uint8_t{0});  // bfOffBits
  const auto zero = DecodeBmp(bytes);
  ASSERT_TRUE(zero.image) << zero.error;
  EXPECT_EQ(zero.image->pixels, stated.image->pixels);
}

void Put(std::vector<uint8_t>& bytes, uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
}

constexpr uint32_t kRedMask = 0x80000000;
constexpr uint32_t kGreenMask = 0x40000000;

// A 1x1 32-bit BI_BITFIELDS file with red and green in the top two bits and blue in blueMask.
std::vector<uint8_t> OnePixel(uint32_t blueMask, uint32_t pixel) {
  std::vector<uint8_t> bytes = {'B', 'M'};
  Put(bytes, 70, 4);  // file size
  Put(bytes, 0, 4);
  Put(bytes, 66, 4);                                          // pixel data offset
  for (uint32_t field : {40u, 1u, 1u}) Put(bytes, field, 4);  // header size, width, height
  Put(bytes, 1, 2);                                           // planes
  Put(bytes, 32, 2);
  Put(bytes, PLAT_BI_BITFIELDS, 4);
  for (int i = 0; i < 5; ++i) Put(bytes, 0, 4);  // image size, resolution, colours
  for (uint32_t field : {kRedMask, kGreenMask, blueMask, pixel}) Put(bytes, field, 4);
  return bytes;
}

struct Scaling {
  uint32_t blueMask;
  uint32_t level;
  uint8_t expected;  // level x 255 / top level, rounded to nearest
};

void PrintTo(const Scaling& s, std::ostream* out) { *out << s.blueMask << ":" << s.level; }

const Scaling kScalings[] = {
    {0x1, 1, 255},
    {0xF, 1, 17},
    {0xF, 15, 255},
    {0x1F, 3, 25},
    {0x1F, 16, 132},
    {0x1F, 31, 255},
    {0x7E0, 11, 45},
    {0x7E0, 48, 194},
    {0x3FF, 2, 0},
    {0x3FF, 3, 1},
    {0x3FF, 512, 128},
    {0x3FF, 1023, 255},
    {0xFF00, 0x80, 0x80},
    {0xFFFFFF, 0x800000, 128},
    {0xFFFFFF, 0x7FFFFF, 127},
    {0xFFFFFF, 0, 0},
};

class BmpChannelScaling : public testing::TestWithParam<Scaling> {};

TEST_P(BmpChannelScaling, ScalesToTheNearestLevel) {
  const Scaling& s = GetParam();
  const uint32_t shift = static_cast<uint32_t>(std::countr_zero(s.blueMask));
  const auto result = DecodeBmp(OnePixel(s.blueMask, (s.level << shift) | kRedMask));
  ASSERT_TRUE(result.image) << result.error;
  EXPECT_EQ(result.image->pixels, (std::vector<uint8_t>{s.expected, 0, 255}));
}

INSTANTIATE_TEST_SUITE_P(Levels, BmpChannelScaling, testing::ValuesIn(kScalings));

void ExpectDecodedWholeOrRefused(const std::filesystem::path& folder) {
  const std::vector<std::string> names = ListFiles(folder, "");
  for (const std::string& name : names) {
    const auto result = DecodeBmp(ReadBytes(folder / name));
    if (result.image) {
      const platform::BmpFormat& format = result.image->format;
      EXPECT_EQ(result.image->pixels.size(), size_t(format.width) * size_t(format.height) * 3)
          << name;
    } else {
      EXPECT_FALSE(result.error.empty()) << name;
    }
  }
}

TEST(BmpReplay, SeedCorpusDecodesOrIsRefused) {
  ASSERT_FALSE(ListFiles(kBmpCorpusDir, ".bmp").empty());
  ExpectDecodedWholeOrRefused(kBmpCorpusDir);
}

TEST(BmpReplay, RegressionFilesDecodeOrAreRefused) {
  ExpectDecodedWholeOrRefused(kBmpFixtureDir / "regressions");
}

}  // namespace
}  // namespace stamp::test
