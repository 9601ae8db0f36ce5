// The demo writes its two pictures; the sheet command's preview lays the twelve cells out at
// twice their size with their numbers under them.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "host_process.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

TEST_F(HostProcessTest, DemoWritesTheCanvasAndThePanel) {
  const HostRun run = Host({"demo", "--out", "pictures"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Raster canvas = ReadPng(folder_ / "pictures/canvas.png");
  const Raster panel = ReadPng(folder_ / "pictures/panel.png");
  EXPECT_EQ(canvas.width(), 240);
  EXPECT_EQ(canvas.height(), 320);
  EXPECT_EQ(panel.width(), 240);
  EXPECT_EQ(panel.height(), 120);
  const size_t dark = std::count_if(canvas.data(), canvas.data() + canvas.bytes(),
                                    [](uint8_t v) { return v < 128; });
  EXPECT_GT(dark, canvas.bytes() / 50) << "the scene has stamps on it";
  EXPECT_EQ(run.out.find("message:"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("plg_destroy() -> 0\n"));
}

TEST_F(HostProcessTest, EveryCommandHasHelp) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                               {"run", "--help"},
                                               {"demo", "--help"},
                                               {"sheet", "--help"}}) {
    const HostRun run = Host(args);
    EXPECT_EQ(run.exitCode, 0) << args[0];
    EXPECT_TRUE(run.out.starts_with("usage: stamp-host ")) << run.out;
  }
  EXPECT_NE(Host({"run", "--help"}).out.find("dialog file PATH"), std::string::npos);
}

// Preview geometry: cells 60x60 from (12, 12), 72 apart across and 88 apart down; the number
// sits in the 16 rows under each cell.
constexpr int32_t kPreviewWidth = 300;
constexpr int32_t kPreviewHeight = 276;

TEST_F(HostProcessTest, SheetPreviewShowsEachCellDoubledAndNumbered) {
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
