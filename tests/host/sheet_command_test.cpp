// stamp-host sheet, run as a program: its PPM holds exactly the decoder's pixels, it says
// whether a file fills the 120x90 cell area, it refuses a bad file with exit code 1 and one
// line naming the decoder's reason, and its preview lays the twelve cells out at twice their
// size with their numbers under them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host_process.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

const fs::path kFixtureDir = STAMP_BMP_FIXTURE_DIR;

using SheetCommand = HostProcessTest;

// What the PPM must hold: the decoder's pixels, as red, green, blue, under a P6 header.
std::string ExpectedPpm(const platform::DecodedBmp& image) {
  std::string ppm = "P6\n" + std::to_string(image.format.width) + " " +
                    std::to_string(image.format.height) + "\n255\n";
  for (size_t i = 0; i < image.pixels.size(); i += 3) {
    ppm += {char(image.pixels[i + 2]), char(image.pixels[i + 1]), char(image.pixels[i])};
  }
  return ppm;
}

TEST_F(SheetCommand, PpmHoldsExactlyTheDecodersPixelsAndPngIsWritten) {
  for (const char* name : {"info40_rle8_31x9.bmp", "core_pal4_13x7.bmp", "v5_rgb565_31x9.bmp",
                           "info40_rgb24_topdown_31x9.bmp"}) {
    SCOPED_TRACE(name);
    const auto decoded = platform::DecodeBmp(ReadBytes(kFixtureDir / name));
    ASSERT_TRUE(decoded.image) << decoded.error;
    const HostRun run = Host({"sheet", (kFixtureDir / name).string(), "--out", "sheet"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(folder_ / "sheet.ppm"), ExpectedPpm(*decoded.image));
    EXPECT_GT(ReadPng(folder_ / "sheet.png").width(), 0) << "a readable PNG";
  }
}

TEST_F(SheetCommand, PrintsFormatSizeAndWhetherTheFileFillsTheCellArea) {
  const std::string whiteBmp =
      "format: info header (40 bytes), 24 bits per pixel, uncompressed, rows bottom-up\n";
  for (const auto& [width, height] : {std::pair{120, 90}, {121, 95}, {120, 89}}) {
    const std::string name = std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    ASSERT_TRUE(WriteBmp24(folder_ / name, Raster(width, height, 0xFF)));
  }
  for (const auto& [file, out] : {
           std::pair<fs::path, std::string>{
               kFixtureDir / "info40_rle8_31x9.bmp",
               "format: info header (40 bytes), 8 bits per pixel, RLE8, 256-entry palette, rows "
               "bottom-up\nsize: 31x9\nfills 120x90: no (covers 31x9 of the cell area)\n"},
           {folder_ / "120x90.bmp", whiteBmp + "size: 120x90\nfills 120x90: yes\n"},
           {folder_ / "121x95.bmp",
            whiteBmp +
                "size: 121x95\nfills 120x90: yes (only its top-left 120x90 pixels are used)\n"},
           {folder_ / "120x89.bmp",
            whiteBmp + "size: 120x89\nfills 120x90: no (covers 120x89 of the cell area)\n"},
       }) {
    const HostRun run = Host({"sheet", file.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, "");
  }
}

// A file the decoder refuses, and one that is not there: exit 1, one line naming the file and
// why, nothing written.
TEST_F(SheetCommand, AFileThatCannotBeUsedExitsOneWithOneLineReason) {
  const std::string refused = (kFixtureDir / "broken" / "overlapping_masks.bmp").string();
  for (const auto& [file, start] : {std::pair<std::string, std::string>{
                                        refused, "sheet: " + refused + ": colour masks overlap\n"},
                                    {"absent.bmp", "sheet: cannot read absent.bmp: "}}) {
    const HostRun run = Host({"sheet", file, "--out", "sheet"});
    EXPECT_EQ(run.exitCode, 1) << file;
    EXPECT_TRUE(run.err.starts_with(start)) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(folder_ / "sheet.ppm"));
  }
}

// Preview geometry: cells 60x60 from (12, 12), 72 apart across and 88 apart down; the number
// sits in the 16 rows under each cell.
constexpr int32_t kPreviewWidth = 300;
constexpr int32_t kPreviewHeight = 276;

TEST_F(SheetCommand, PreviewShowsEachCellDoubledAndNumbered) {
  // A 90x60 sheet (smaller than the cell area): pixel (x, y) holds blue x, green y, red 7.
  Raster sheet(90, 60);
  for (int32_t y = 0; y < 60; ++y) {
    for (int32_t x = 0; x < 90; ++x) sheet.Set(x, y, {7, uint8_t(y), uint8_t(x)});
  }
  ASSERT_TRUE(WriteBmp24(folder_ / "small.bmp", sheet));
  const HostRun run = Host({"sheet", "small.bmp", "--out", "small"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Raster preview = ReadPng(folder_ / "small.png");
  ASSERT_EQ(preview.width(), kPreviewWidth);
  ASSERT_EQ(preview.height(), kPreviewHeight);
  for (int32_t cell = 0; cell < 12; ++cell) {
    const int32_t left = 12 + 72 * (cell % 4);
    const int32_t top = 12 + 88 * (cell / 4);
    // Sheet pixel (30c + 7, 30r + 11) shows at the doubled place (14, 22) and (15, 23).
    const int32_t sheetX = 30 * (cell % 4) + 7;
    const int32_t sheetY = 30 * (cell / 4) + 11;
    for (const auto& [dx, dy] : {std::pair{14, 22}, std::pair{15, 23}}) {
      const Rgb p = preview.At(left + dx, top + dy);
      if (sheetX < 90 && sheetY < 60) {
        EXPECT_EQ(p, (Rgb{7, uint8_t(sheetY), uint8_t(sheetX)})) << "cell " << cell;
      } else {
        EXPECT_TRUE((p.blue == 0xD0 || p.blue == 0xA8) && p.green == p.blue && p.red == p.blue)
            << "cell " << cell << " lies beyond the sheet: a grey hatch";
      }
    }
    int32_t ink = 0;
    for (int32_t y = top + 62; y < top + 78; ++y) {
      for (int32_t x = left; x < left + 60; ++x) ink += preview.At(x, y).blue == 0 ? 1 : 0;
    }
    EXPECT_GT(ink, 8) << "cell " << cell << " has its number under it";
  }
  EXPECT_EQ(ReadFile(folder_ / "small.ppm").substr(0, 12), "P6\n90 60\n255");
}

}  // namespace
}  // namespace stamp::test
