// Scripts of tests/host/scripts run through "stamp-host run": what the saved buffers hold is
// computed here from the stamp the plug-in prepared (saved as NAME-stamp.bmp) with the multiply
// blend, s * d / 255 per channel, placed centred on the pen. The demo's scene writes its two
// pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

#include "host_process.h"
#include "support/bmp_writer.h"

namespace stamp::test {
namespace {

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 200;
constexpr int32_t kStampSide = 30;  // a 30x30 cell turned by 0 degrees keeps its size
const fs::path kScripts = STAMP_HOST_SCRIPTS;

Raster White() { return Raster(kWidth, kHeight, 0xFF); }

uint8_t Multiply(uint8_t source, uint8_t target) {
  return static_cast<uint8_t>(source * target / 255);
}

// White, with the plug-in's multiply of the stamp's top-left 30x30 centred on (x, y).
Raster Pressed(const Raster& stamp, int32_t x, int32_t y) {
  Raster picture = White();
  for (int32_t row = 0; row < kStampSide; ++row) {
    for (int32_t column = 0; column < kStampSide; ++column) {
      const Rgb s = stamp.At(column, row);
      const Rgb d = picture.At(x - 15 + column, y - 15 + row);
      picture.Set(x - 15 + column, y - 15 + row,
                  {Multiply(s.red, d.red), Multiply(s.green, d.green), Multiply(s.blue, d.blue)});
    }
  }
  return picture;
}

// A 120x90 sheet whose cell 0 is a gradient (so a misplaced stamp shows) and the rest grey.
void WriteSheet(const fs::path& path) {
  Raster sheet(120, 90, 0x80);
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 30; ++x) {
      sheet.Set(x, y, {uint8_t(200 - x - y), uint8_t(60 + 3 * y), uint8_t(40 + 4 * x)});
    }
  }
  EXPECT_TRUE(WriteBmp24(path, sheet));
}

class HostScript : public HostProcessTest {
 protected:
  // Runs a script of tests/host/scripts copied into the test's folder, with a profile that
  // names the gradient sheet when withSheet.
  HostRun Run(const std::string& script, bool withSheet,
              const std::vector<std::string>& more = {}) {
    fs::copy_file(kScripts / script, folder_ / script);
    WriteSheet(folder_ / "dot.bmp");
    if (withSheet) {
      WriteFile(folder_ / "profile.ini",
                "[plugin_kvo_stamp]\nfile=" + (folder_ / "dot.bmp").string() + "\n");
    }
    std::vector<std::string> args = {
        "run",         script,     "--profile",
        "profile.ini", "--canvas", std::to_string(kWidth) + "x" + std::to_string(kHeight)};
    args.insert(args.end(), more.begin(), more.end());
    return Host(args);
  }
  Raster Saved(const std::string& name) const { return ReadBmp(folder_ / (name + ".bmp")); }
};

TEST_F(HostScript, StrokePreviewsFollowsThePenAndUndoTakesItBack) {
  const HostRun run = Run("stroke.txt", true);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Raster stamp = Saved("stamped-stamp");
  EXPECT_EQ(Saved("moving-overlay"), Pressed(stamp, 40, 50));
  EXPECT_EQ(Saved("moving-layer1"), White());
  EXPECT_EQ(Saved("moving-undo"), White()) << "the snapshot of layer 1 before the stroke";
  EXPECT_EQ(Saved("stamped-layer1"), Pressed(stamp, 100, 120));
  EXPECT_EQ(Saved("stamped-overlay"), White()) << "pen up restores the overlay";
  for (const char* other : {"stamped-layer0", "stamped-layer2", "undone-layer1"}) {
    EXPECT_EQ(Saved(other), White()) << other;
  }
  EXPECT_EQ(ReadPng(folder_ / "stamped-canvas.png"), Pressed(stamp, 100, 120));
  EXPECT_EQ(ReadPng(folder_ / "undone-canvas.png"), White());
  EXPECT_NE(run.out.find("plg_mouse_move(0,0,40,50) -> 9\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("undo: layer 1 restored\n"), std::string::npos) << run.out;
}

TEST_F(HostScript, LayersCompositeByMultiplyAndTheViewConvertsPenDown) {
  const HostRun run = Run("layers.txt", true);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Raster stamp = Saved("layered-stamp");
  EXPECT_EQ(Saved("zoomed-overlay"), Pressed(stamp, 60, 40));
  const Raster layer0 = Saved("layered-layer0");
  const Raster layer1 = Saved("layered-layer1");
  const Raster layer2 = Saved("layered-layer2");
  EXPECT_EQ(layer0, Pressed(stamp, 60, 60));
  EXPECT_EQ(layer1, Pressed(stamp, 66, 70));
  EXPECT_EQ(layer2, Pressed(stamp, 70, 66));
  // White times layer 0, 1, 2 and the overlay (white again), truncating at each step.
  Raster canvas = White();
  for (size_t i = 0; i < static_cast<size_t>(canvas.bytes()); ++i) {
    int value = 255;
    for (const Raster* layer : {&layer0, &layer1, &layer2}) value = layer->data()[i] * value / 255;
    canvas.data()[i] = static_cast<uint8_t>(value);
  }
  EXPECT_EQ(ReadPng(folder_ / "layered-canvas.png"), canvas);
}

TEST_F(HostScript, WithoutASheetThePenIsRefusedAndShutDownWritesTheSettings) {
  const HostRun run = Run("no_sheet.txt", false);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("message: Please load stamp\nplg_mouse_down(50,50) -> 0\n"),
            std::string::npos)
      << run.out;
  // The second start-up read select=2 from the first shut-down; key a and the last shut-down
  // leave 1.
  EXPECT_NE(ReadFile(folder_ / "profile.ini").find("select=1"), std::string::npos);
  EXPECT_EQ(Saved("blank-layer0"), White());
  EXPECT_TRUE(run.out.ends_with("plg_destroy() -> 0\n")) << run.out;
}

TEST_F(HostScript, QuietPrintsOnlyMessages) {
  const HostRun run = Run("no_sheet.txt", false, {"--quiet"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "message: Please load stamp\n");
}

TEST_F(HostScript, PanelIsRedrawnOverARestoredArea) {
  const HostRun run = Run("panel.txt", true);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Raster start = Saved("start-panel");
  ASSERT_EQ(start.width(), 240);
  ASSERT_EQ(start.height(), 1050);
  // The plug-in copies the host's file button picture, raster (0,220) 50x20, to (180,825).
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 50; ++x) {
      ASSERT_EQ(start.At(x, 220 + y), start.At(180 + x, 825 + y)) << x << "," << y;
    }
  }
  const Raster cell5 = Saved("cell5-panel");
  EXPECT_NE(cell5, start) << "the marker moved to cell 5";
  // Drawn twice more over a restored area, the same state gives the same bytes: without the
  // restore the blends would darken the dial and the marker again.
  EXPECT_EQ(Saved("again-panel"), cell5);
  const Raster shown = ReadPng(folder_ / "cell5-panel.png");
  ASSERT_EQ(shown.height(), 120);
  // Both keep their last row first: the shown rows end where the panel's row 849 begins.
  const uint8_t* row849 = cell5.data() + (cell5.height() - 1 - 849) * 240 * 3;
  EXPECT_TRUE(std::equal(shown.data(), shown.data() + shown.bytes(), row849));
}

TEST_F(HostScript, LoadDialogAnswersComeFromTheScript) {
  const HostRun run = Run("dialog.txt", false);
  ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
  const Raster stamp = Saved("loaded-stamp");
  EXPECT_EQ(Saved("loaded-layer0"), Pressed(stamp, 60, 60));
  // The stamp is the gradient cell: its pixel (10, 5) came from blue 80, green 75, red 185.
  const Rgb p = stamp.At(10, 5);
  EXPECT_NEAR(p.blue, 80, 3);
  EXPECT_NEAR(p.green, 75, 3);
  EXPECT_NEAR(p.red, 185, 3);
}

TEST_F(HostScript, ExpectationThatFailsEndsTheRunWithExitThreeNamingTheLine) {
  for (const auto& [script, error] :
       {std::pair{"pen down 10 10\nexpect result 9\n", "x.txt:2: expected result 9, got 0"},
        {"key b\nexpect message Please load stamp\nsave after\n",
         "x.txt:2: expected message \"Please load stamp\", but none was shown"},
        {"pen down 1 1\nexpect message Stamp\n",
         "x.txt:2: expected message \"Stamp\", the last was \"Please load stamp\""},
        {"layer 1\nexpect result 0\n", "x.txt:2: expected result 0, but no export ran"}}) {
    WriteFile(folder_ / "x.txt", script);
    const HostRun run = Host({"run", "x.txt", "--profile", "p.ini", "--canvas", "40x40"});
    EXPECT_EQ(run.exitCode, 3) << script;
    EXPECT_EQ(run.err, "stamp-host: " + std::string(error) + "\n");
    EXPECT_FALSE(fs::exists(folder_ / "after-canvas.png")) << "a line after the failure ran";
    EXPECT_TRUE(run.out.ends_with("plg_destroy() -> 0\n")) << "the plug-in is shut down";
  }
}

// The lines of text that begin with start and end with end.
size_t LinesLike(const std::string& text, std::string_view start, std::string_view end) {
  std::istringstream lines(text);
  size_t count = 0;
  for (std::string line; std::getline(lines, line);) {
    count += line.starts_with(start) && line.ends_with(end) ? 1 : 0;
  }
  return count;
}

// The demo says in three lines what it drew and where it went; the calls go to their own log,
// whose stamps that landed are the ones it reports.
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

  const std::string calls = ReadFile(folder_ / "pictures/demo-calls.log");
  EXPECT_TRUE(calls.ends_with("plg_destroy() -> 0\n"));
  const size_t landed = LinesLike(calls, "plg_mouse_up(", ") -> 1");
  EXPECT_EQ(landed, LinesLike(calls, "plg_mouse_up(", "")) << "every pen up landed a stamp";
  EXPECT_EQ(run.out, "demo: stamped a 240x320 canvas " + std::to_string(landed) +
                         " times from the sheets nature.bmp and shapes.bmp, on layers 0, 1 and 2\n"
                         "demo: wrote pictures/canvas.png and pictures/panel.png\n"
                         "demo: the plug-in's calls are in pictures/demo-calls.log (--verbose "
                         "prints them here)\n");

  const HostRun verbose = Host({"demo", "--out", "loud", "--verbose"});
  ASSERT_EQ(verbose.exitCode, 0) << verbose.err;
  EXPECT_TRUE(verbose.out.starts_with(calls)) << "--verbose prints the calls in place of the log";
  EXPECT_FALSE(fs::exists(folder_ / "loud/demo-calls.log"));
}

}  // namespace
}  // namespace stamp::test
