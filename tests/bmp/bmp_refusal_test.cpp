// Each broken file is refused with a one-line reason that names what is wrong with it.
#include <gtest/gtest.h>

#include <algorithm>

#include "bmp_test_files.h"
#include "platform/support/bmp_decoder.h"

namespace stamp::test {
namespace {

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
  const auto result = platform::DecodeBmp(ReadBytes(kBmpFixtureDir / "broken" / GetParam().file));
  ASSERT_FALSE(result.image);
  EXPECT_NE(result.error.find(GetParam().reason), std::string::npos) << result.error;
  EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, BmpRefusal, testing::ValuesIn(kRefusals),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

TEST(BmpRefusals, TableNamesEveryBrokenFile) {
  std::vector<std::string> named;
  for (const Refusal& refusal : kRefusals) named.emplace_back(refusal.file);
  std::ranges::sort(named);
  EXPECT_EQ(named, ListFiles(kBmpFixtureDir / "broken", ".bmp"));
}

}  // namespace
}  // namespace stamp::test
