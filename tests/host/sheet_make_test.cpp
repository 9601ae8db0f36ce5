// stamp-host sheet --make, run as a program: the sheet it writes is loaded by the tool through
// its load dialog, and every cell the tool shows on its panel is its picture fitted and reduced
// by the rule below, computed here position by position; pictures that cannot be used are named
// one line each and nothing is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host_process.h"
#include "png_files.h"
#include "stamp/plugin.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

constexpr int32_t kCell = 30;
constexpr uint8_t kWhite = 0xFF;
// Panel point (110, 10), where the tool shows its cell grid, in the panel raster's rows.
constexpr int32_t kGridX = 110;
constexpr int32_t kGridY = 740;

using SheetMake = HostProcessTest;

enum class Kind { kBmp, kPng, kPngWithAlpha };

// A picture as the test wrote it, with the alpha of each pixel where it has one.
struct Source {
  Raster colour;
  std::vector<uint8_t> alpha;  // empty: opaque
};

bool WritePng(const fs::path& path, const Source& source) {
  const int32_t width = source.colour.width();
  const int32_t height = source.colour.height();
  const bool alpha = !source.alpha.empty();
  std::vector<uint8_t> bytes;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const Rgb p = source.colour.At(x, y);
      bytes.insert(bytes.end(), {p.red, p.green, p.blue});
      if (alpha) bytes.push_back(source.alpha[size_t(y * width + x)]);
    }
  }
  const std::vector<uint8_t> png = EncodePng(
      uint32_t(width), uint32_t(height), alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB, bytes.data());
  WriteFile(path, std::string(png.begin(), png.end()));
  return !png.empty();
}

// The pixel the host is to see: the colour, laid over white by its alpha and rounded.
Rgb Seen(const Source& source, int32_t x, int32_t y) {
  const Rgb p = source.colour.At(x, y);
  if (source.alpha.empty()) return p;
  const uint32_t a = source.alpha[size_t(y * source.colour.width() + x)];
  const auto over = [a](uint8_t c) { return uint8_t((c * a + 255 * (255 - a) + 127) / 255); };
  return {over(p.red), over(p.green), over(p.blue)};
}

// The size a picture is shown at: the longer side 30, the other its share rounded; a picture
// within the cell as it is.
std::pair<int32_t, int32_t> ShownSize(int32_t w, int32_t h) {
  if (w <= kCell && h <= kCell) return {w, h};
  const auto share = [](int32_t side, int32_t longer) {
    return std::max(1, int32_t(std::lround(double(side) * kCell / longer)));
  };
  return w >= h ? std::pair{kCell, share(h, w)} : std::pair{share(w, h), kCell};
}

// The cell as the tool must show it: white, with the picture centred, each pixel the mean of the
// source pixels under its W x H sub-sample positions (each source pixel spans w x h of them),
// truncated.
Raster ExpectedCell(const Source& source) {
  const int32_t sw = source.colour.width();
  const int32_t sh = source.colour.height();
  const auto [w, h] = ShownSize(sw, sh);
  Raster cell(kCell, kCell, kWhite);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      uint64_t red = 0, green = 0, blue = 0;
      for (int64_t q = int64_t{y} * sh; q < int64_t{y + 1} * sh; ++q) {
        for (int64_t p = int64_t{x} * sw; p < int64_t{x + 1} * sw; ++p) {
          const Rgb s = Seen(source, int32_t(p / w), int32_t(q / h));
          red += s.red;
          green += s.green;
          blue += s.blue;
        }
      }
      const uint64_t n = uint64_t(sw) * uint64_t(sh);
      cell.Set((kCell - w) / 2 + x, (kCell - h) / 2 + y,
               {uint8_t(red / n), uint8_t(green / n), uint8_t(blue / n)});
    }
  }
  return cell;
}

// The file button's picture lies over the grid's lower right corner, from raster (180, 825).
bool UnderFileButton(int32_t x, int32_t y) { return x >= 180 && y >= 825; }

// Cell k as the panel shows it; where the file button covers it, white.
Raster PanelCell(const Raster& panel, int32_t k) {
  Raster cell(kCell, kCell, kWhite);
  for (int32_t y = 0; y < kCell; ++y) {
    for (int32_t x = 0; x < kCell; ++x) {
      const int32_t px = kGridX + kCell * (k % 4) + x;
      const int32_t py = kGridY + kCell * (k / 4) + y;
      if (!UnderFileButton(px, py)) cell.Set(x, y, panel.At(px, py));
    }
  }
  return cell;
}

struct PictureCase {
  const char* name;
  Kind kind;
  int32_t width, height;
};

TEST_F(SheetMake, TheToolLoadsTheSheetWithEachPictureReducedIntoItsCell) {
  const std::vector<PictureCase> cases = {
      {"wide.png", Kind::kPng, 61, 23},   {"tall.png", Kind::kPngWithAlpha, 17, 40},
      {"exact.bmp", Kind::kBmp, 30, 30},  {"small.bmp", Kind::kBmp, 7, 5},
      {"thin.png", Kind::kPng, 97, 3},    {"odd.bmp", Kind::kBmp, 90, 64},
      {"line.png", Kind::kPng, 100, 100},
  };
  std::vector<std::string> args = {"sheet", "--make", "made/mine.bmp", "--preview", "made/p.png"};
  std::vector<Source> sources;
  for (size_t k = 0; k < cases.size(); ++k) {
    const PictureCase& c = cases[k];
    Source source{Raster(c.width, c.height), {}};
    source.colour.FillRandom(uint32_t(k + 1));
    if (c.kind == Kind::kPngWithAlpha) {
      source.alpha.resize(size_t(c.width * c.height));
      for (size_t i = 0; i < source.alpha.size(); ++i) source.alpha[i] = uint8_t(i * 37);
    }
    if (std::string(c.name) == "line.png") {
      // White, with one black column: a line one pixel thin must still show.
      source.colour = Raster(c.width, c.height, kWhite);
      for (int32_t y = 0; y < c.height; ++y) source.colour.Set(50, y, {0, 0, 0});
    }
    const fs::path path = folder_ / c.name;
    ASSERT_TRUE(c.kind == Kind::kBmp ? WriteBmp24(path, source.colour) : WritePng(path, source));
    sources.push_back(source);
    args.push_back(c.name);
  }
  const HostRun made = Host(args);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_NE(made.out.find("cell 0: wide.png (61x23, shown 30x11)\n"), std::string::npos)
      << made.out;
  EXPECT_NE(made.out.find("cell 3: small.bmp (7x5, shown 7x5)\n"), std::string::npos);
  EXPECT_TRUE(made.out.ends_with("wrote made/mine.bmp and made/p.png\n")) << made.out;
  EXPECT_EQ(ReadPng(folder_ / "made/p.png").width(), 300);
  EXPECT_EQ(ReadBmp(folder_ / "made/mine.bmp").width(), 120);

  const std::string sheet = (folder_ / "made/mine.bmp").string();
  const std::string fileButton =
      std::to_string(STAMP_FILE_BUTTON_PRESS_X) + " " + std::to_string(STAMP_FILE_BUTTON_PRESS_Y);
  WriteFile(folder_ / "load.txt", "dialog type " + sheet + "\ndialog ok\npanel up " + fileButton +
                                      "\nsave loaded\nkey b\nsave next\n");
  const HostRun loaded = Host({"run", "load.txt", "--profile", "p.ini", "--quiet"});
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_EQ(loaded.out.find("message:"), std::string::npos) << "the sheet loads: " << loaded.out;
  // The marker of the chosen cell darkens cell 0 in the first picture and cell 1 in the second.
  const Raster panel = ReadBmp(folder_ / "loaded-panel.bmp");
  const Raster next = ReadBmp(folder_ / "next-panel.bmp");
  for (int32_t k = 0; k < 12; ++k) {
    SCOPED_TRACE("cell " + std::to_string(k));
    const Raster expected = size_t(k) < sources.size() ? ExpectedCell(sources[size_t(k)])
                                                       : Raster(kCell, kCell, kWhite);
    EXPECT_EQ(PanelCell(k == 0 ? next : panel, k), expected);
  }
  EXPECT_LT(PanelCell(panel, 6).At(15, 15).red, 200) << "the thin line survives the reduction";
}

TEST_F(SheetMake, PicturesThatCannotBeUsedAreNamedAndNoSheetIsWritten) {
  ASSERT_TRUE(WriteBmp24(folder_ / "good.bmp", Raster(40, 40, 9)));
  ASSERT_TRUE(WritePng(folder_ / "whole.png", {Raster(50, 20, 3), {}}));
  const std::string whole = ReadFile(folder_ / "whole.png");
  WriteFile(folder_ / "cut.png", whole.substr(0, whole.size() / 2));
  WriteFile(folder_ / "empty.png", "");
  WriteFile(folder_ / "words.png", "not a picture");
  const std::vector<uint8_t> huge = PngClaiming(100000, 100000);
  WriteFile(folder_ / "huge.png", std::string(huge.begin(), huge.end()));
  fs::create_directory(folder_ / "folder.bmp");
  struct Case {
    std::vector<std::string> pictures;
    int exitCode;
    std::vector<std::string> lines;  // what err says, line by line, each the start of its line
  };
  const std::vector<Case> cases = {
      {{"good.bmp", "missing.png"},
       1,
       {"sheet: cannot read missing.png", "sheet: no sheet written"}},
      {{"empty.png"}, 1, {"sheet: empty.png cannot be read: the file is empty", "sheet: no sheet"}},
      {{"words.png"},
       1,
       {"sheet: words.png cannot be read: it is neither a PNG nor a BMP", "sheet: no sheet"}},
      {{"cut.png", "good.bmp"}, 1, {"sheet: cut.png cannot be read: ", "sheet: no sheet written"}},
      {{"huge.png"}, 1, {"sheet: huge.png is too large (100000x100000): ", "sheet: no sheet"}},
      {{"folder.bmp", "words.png"},
       1,
       {"sheet: cannot read folder.bmp", "sheet: words.png cannot", "sheet: no sheet written"}},
      {std::vector<std::string>(13, "good.bmp"),
       2,
       {"usage: stamp-host sheet", "sheet: 13 pictures given; a sheet holds 12"}},
      {{}, 2, {"usage: stamp-host sheet", "sheet: --make needs 1 to 12 PICTUREs"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pictures.empty() ? "no pictures" : c.pictures[0]);
    std::vector<std::string> args = {"sheet", "--make", "out.bmp"};
    args.insert(args.end(), c.pictures.begin(), c.pictures.end());
    const HostRun run = Host(args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), std::ptrdiff_t(c.lines.size()))
        << run.err;
    size_t at = 0;
    for (const std::string& line : c.lines) {
      EXPECT_EQ(run.err.compare(at, line.size(), line), 0) << run.err;
      at = run.err.find('\n', at) + 1;
    }
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(folder_ / "out.bmp"));
  }
}

// The sheet and its preview are written both or neither; a pair that names one file, or an OUT
// that names no file, is refused before anything is made. The user's old.bmp stays as it was.
TEST_F(SheetMake, TheSheetAndItsPreviewAreWrittenTogetherOrNotAtAll) {
  ASSERT_TRUE(WriteBmp24(folder_ / "good.bmp", Raster(40, 40, 9)));
  WriteFile(folder_ / "old.bmp", "old");
  fs::create_directories(folder_ / "sub");
  fs::create_directories(folder_ / "dir");
  fs::create_symlink("old.bmp", folder_ / "link.bmp");
  struct Case {
    std::string out, preview;
    std::string says;  // the end of what err says
  };
  const std::vector<Case> cases = {
      {"s.bmp", "s.bmp", "cannot be written to the same file (s.bmp)\n"},
      {"old.bmp", "sub/../old.bmp", "cannot be written to the same file (old.bmp)\n"},
      {"link.bmp", "old.bmp", "cannot be written to the same file (link.bmp)\n"},
      {"old.bmp", "dir", "cannot write dir: it is a folder; nothing written\n"},
      {"old.bmp", "dir/", "cannot write dir/: it names a folder, not a file; nothing written\n"},
      {"newdir/", "", "it names a folder, not a file; nothing written\n"},
      {"newdir/s.bmp", "newdir/", "it names a folder, not a file; nothing written\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out + " " + c.preview);
    std::vector<std::string> args = {"sheet", "--make", c.out, "good.bmp"};
    if (!c.preview.empty()) args.insert(args.end(), {"--preview", c.preview});
    const HostRun run = Host(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.ends_with(c.says)) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(folder_ / "old.bmp"), "old");
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.bmp"));
    EXPECT_FALSE(fs::exists(folder_ / "s.bmp"));
    EXPECT_FALSE(fs::exists(folder_ / "newdir"));
  }
}

}  // namespace
}  // namespace stamp::test
