// Panel drawing: where each picture lands on the panel raster, what the two numbers show, and
// that a second drawing over an unrestored panel blends once more.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>

#include "panel/panel_fixture.h"
#include "src/panel/panel_text.h"
#include "src/plugin/events.h"

namespace stamp::test {
namespace {

constexpr uint8_t kBlack = 0;
constexpr uint8_t kWhite = 255;
constexpr uint8_t kGrey = 200;

// A rectangle of the raster, inclusive bounds.
struct Box {
  int64_t left, top, right, bottom;
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* out) {
  *out << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

// The smallest box holding every pixel that differs between two rasters, and how many differ.
struct Difference {
  std::optional<Box> box;
  int64_t count = 0;
};

Difference Compare(const Bytes& a, const Bytes& b) {
  Difference d;
  for (int64_t y = 0; y < STAMP_PANEL_HEIGHT; ++y) {
    for (int64_t x = 0; x < STAMP_PANEL_WIDTH; ++x) {
      const int64_t at = RasterPlane(nullptr).Inside(x, y);
      if (std::memcmp(&a[at], &b[at], 3) == 0) continue;
      ++d.count;
      if (!d.box) d.box = Box{x, y, x, y};
      d.box = Box{std::min(d.box->left, x), std::min(d.box->top, y), std::max(d.box->right, x),
                  std::max(d.box->bottom, y)};
    }
  }
  return d;
}

class DrawTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    std::memset(module().panelImage.pixels, kGrey, kPanelImageBytes);
    std::memset(raster(), kGrey / 2, kRasterBytes);
    baseline = RasterCopy();
  }
  Plane Image() const { return PanelPlane(module().panelImage.pixels); }
  Plane Stamp() const { return CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER)); }
  // The raster drawn from the baseline.
  Bytes Drawn() {
    std::memcpy(raster(), baseline.data(), baseline.size());
    UpdatePanel();
    return RasterCopy();
  }
  Bytes baseline;
};

struct MarkerCase {
  int32_t selection;
  std::optional<Box> marked;  // on the raster; none when the marker lands nowhere
};

void PrintTo(const MarkerCase& c, std::ostream* out) { *out << "selection " << c.selection; }

class MarkerTest : public DrawTest, public ::testing::WithParamInterface<MarkerCase> {};

// A black marker darkens its cell; a white one leaves it as it was. Only the marked cell differs.
TEST_P(MarkerTest, DarkensExactlyTheSelectedCell) {
  module().settings.selection = GetParam().selection;
  Paint(Image(), 0, 70, kCellSize, kCellSize, kBlack);
  const Bytes black = Drawn();
  Paint(Image(), 0, 70, kCellSize, kCellSize, kWhite);
  const Difference d = Compare(black, Drawn());
  EXPECT_EQ(d.box, GetParam().marked);
  EXPECT_EQ(d.count,
            d.box ? (d.box->right - d.box->left + 1) * (d.box->bottom - d.box->top + 1) : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, MarkerTest,
    ::testing::Values(MarkerCase{0, Box{110, 740, 139, 769}},
                      MarkerCase{5, Box{140, 770, 169, 799}},
                      // The file button, drawn later, hides the cell's last five rows.
                      MarkerCase{11, Box{200, 800, 229, 824}},
                      // Profile values: the remainder keeps the sign; far rows land nowhere.
                      MarkerCase{-1, Box{80, 740, 109, 769}},
                      MarkerCase{12, Box{110, 830, 139, 859}}, MarkerCase{160000000, std::nullopt},
                      MarkerCase{INT_MAX, std::nullopt}, MarkerCase{INT_MIN, std::nullopt}));

struct StampCase {
  int32_t side;
  std::optional<Box> covered;
};

void PrintTo(const StampCase& c, std::ostream* out) { *out << c.side << "x" << c.side; }

class StampOnDialTest : public DrawTest, public ::testing::WithParamInterface<StampCase> {};

TEST_P(StampOnDialTest, IsCentredOnTheDial) {
  const int32_t side = GetParam().side;
  module().stampSize = {side, side};
  Paint(Stamp(), 0, 0, side, side, kBlack);
  const Bytes black = Drawn();
  Paint(Stamp(), 0, 0, side, side, kWhite);
  const Difference d = Compare(black, Drawn());
  EXPECT_EQ(d.box, GetParam().covered);
  EXPECT_EQ(d.count, int64_t{side} * side);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StampOnDialTest,
                         ::testing::Values(StampCase{30, Box{60, 775, 89, 804}},
                                           StampCase{42, Box{54, 769, 95, 810}},
                                           StampCase{41, Box{55, 770, 95, 810}},
                                           StampCase{10, Box{70, 785, 79, 794}},
                                           StampCase{0, std::nullopt}));

TEST_F(DrawTest, FileButtonCoversTheGridsLastRowsWhereTheyMeet) {
  FillRandom(module().panelImage.pixels, kPanelImageBytes, 3);
  Paint(Image(), 0, 70, kCellSize, kCellSize, kWhite);  // a neutral marker
  FillRandom(baseline.data(), baseline.size(), 4);
  const Bytes drawn = Drawn();
  const Plane out = RasterPlane(const_cast<uint8_t*>(drawn.data()));
  const Plane before = RasterPlane(baseline.data());
  for (int64_t y = 740; y < 845; ++y) {
    for (int64_t x = 110; x < 230; ++x) {
      const bool button = x >= 180 && y >= 825;
      const uint8_t* expected = button ? before.bytes + before.Inside(x - 180, y - 825 + 220)
                                       : Image().bytes + Image().Inside(x - 110 + 70, y - 740);
      if (!button && y >= 830) continue;  // below the grid: not drawn by either
      ASSERT_EQ(std::memcmp(out.bytes + out.Inside(x, y), expected, 3), 0)
          << "at raster (" << x << ", " << y << ")";
    }
  }
}

uint8_t Add(uint8_t s, uint8_t d) { return static_cast<uint8_t>(std::min(s + d, 255)); }
uint8_t Multiply(uint8_t s, uint8_t d) { return static_cast<uint8_t>(s * d / 255); }

bool InRect(const PlatRect& r, int64_t x, int64_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Copies (grid, file button) and the texts come out the same; the dial gets its background added
// and its face multiplied again, each icon is multiplied again.
TEST_F(DrawTest, SecondDrawingBlendsTheDialAndIconsOnceMore) {
  FillRandom(module().panelImage.pixels, kPanelImageBytes, 5);
  FillRandom(baseline.data(), baseline.size(), 6);
  module().stampSize = {0, 0};
  std::memcpy(raster(), baseline.data(), baseline.size());
  UpdatePanel();
  const Bytes once = RasterCopy();
  UpdatePanel();
  const Bytes twice = RasterCopy();
  const Plane image = Image();
  for (int64_t y = 0; y < STAMP_PANEL_HEIGHT; ++y) {
    for (int64_t x = 0; x < STAMP_PANEL_WIDTH; ++x) {
      if (InRect({45, 820, 80, 833}, x, y) || InRect({55, 738, 90, 750}, x, y)) continue;
      const int64_t at = RasterPlane(nullptr).Inside(x, y);
      for (int64_t c = 0; c < 3; ++c) {
        uint8_t expected = once[at + c];
        if (x >= 40 && x < 110 && y >= 755 && y < 825) {
          const uint8_t background = image.bytes[image.Inside(x - 40 + 190, y - 755) + c];
          const uint8_t face = image.bytes[image.Inside(x - 40, y - 755) + c];
          expected = Multiply(face, Add(background, expected));
        } else if (x >= 90 && x < 100 && ((y >= 740 && y < 750) || (y >= 830 && y < 840))) {
          const int64_t iconY = y < 830 ? 70 + y - 740 : 80 + y - 830;
          expected = Multiply(image.bytes[image.Inside(x - 90 + 40, iconY) + c], expected);
        }
        ASSERT_EQ(twice[at + c], expected) << "at raster (" << x << ", " << y << ")";
      }
    }
  }
  EXPECT_NE(once, twice);
}

}  // namespace
}  // namespace stamp::test
