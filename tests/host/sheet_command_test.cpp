// stamp-host sheet, run as a program: its PPM holds exactly the decoder's pixels, it says
// whether a file fills the 120x90 cell area, and it refuses a bad file with exit code 1 and one
// line naming the decoder's reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_process.h"
#include "platform/support/bmp_decoder.h"
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
    const HostRun run =
        Host({"sheet", (kFixtureDir / name).string(), "--out", (folder_ / "sheet").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(folder_ / "sheet.ppm"), ExpectedPpm(*decoded.image));
    EXPECT_GT(ReadPng(folder_ / "sheet.png").width(), 0) << "a readable PNG";
  }
}

TEST_F(SheetCommand, PrintsFormatAndSize) {
  const HostRun run = Host({"sheet", (kFixtureDir / "info40_rle8_31x9.bmp").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "format: info header (40 bytes), 8 bits per pixel, RLE8, 256-entry palette, rows "
            "bottom-up\nsize: 31x9\nfills 120x90: no (covers 31x9 of the cell area)\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(SheetCommand, SaysWhetherTheFileFillsTheCellArea) {
  struct Case {
    int32_t width, height;
    const char* verdict;
  };
  for (const Case& c : {Case{120, 90, "fills 120x90: yes\n"},
                        Case{121, 95,
                             "fills 120x90: yes (only its top-left 120x90 pixels are "
                             "used)\n"},
                        Case{120, 89, "fills 120x90: no (covers 120x89 of the cell area)\n"}}) {
    const fs::path file = folder_ / "white.bmp";
    ASSERT_TRUE(WriteBmp24(file, Raster(c.width, c.height, 0xFF)));
    const HostRun run = Host({"sheet", file.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.ends_with(c.verdict)) << run.out;
  }
}

TEST_F(SheetCommand, RefusedFileExitsOneWithOneLineReason) {
  const fs::path file = kFixtureDir / "broken" / "overlapping_masks.bmp";
  const HostRun run = Host({"sheet", file.string(), "--out", (folder_ / "sheet").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "sheet: " + file.string() + ": colour masks overlap\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(folder_ / "sheet.ppm"));
}

TEST_F(SheetCommand, MissingFileExitsOneWithOneLineReason) {
  const HostRun run = Host({"sheet", (folder_ / "absent.bmp").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.starts_with("sheet: cannot read ")) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

TEST_F(SheetCommand, MalformedArgumentsExitTwoWithUsage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"sheet"},
                                               {"sheet", "a.bmp", "b.bmp"},
                                               {"sheet", "a.bmp", "--out"},
                                               {"sheet", "--bogus"}}) {
    const HostRun run = Host(args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.starts_with("usage: stamp-host sheet FILE")) << run.err;
  }
}

}  // namespace
}  // namespace stamp::test
