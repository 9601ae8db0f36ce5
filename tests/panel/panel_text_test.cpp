// The panel's two numbers: their text, and that exactly that text is drawn into the panel's
// drawing context at the two rectangles. The panel's context is pointed at a scratch raster so
// the numbers can be compared with the same text drawn there by the platform directly.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "panel/panel_fixture.h"
#include "src/panel/panel_text.h"
#include "src/plugin/events.h"
#include "stamp/platform_host.h"

namespace stamp::test {
namespace {

struct FormatCase {
  int64_t value;
  std::u16string text;
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.value; }

class FormatIntegerTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatIntegerTest, GivesSignedDecimal) {
  EXPECT_EQ(FormatInteger(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatIntegerTest,
                         ::testing::Values(FormatCase{0, u"0"}, FormatCase{-90, u"-90"},
                                           FormatCase{135, u"135"},
                                           FormatCase{-int64_t{INT_MIN}, u"2147483648"},
                                           FormatCase{INT64_MIN, u"-9223372036854775808"},
                                           FormatCase{INT64_MAX, u"9223372036854775807"}));

// A 240x1050 raster with a drawing context over it.
class ScratchRaster {
 public:
  explicit ScratchRaster(const Bytes& content) : bytes_(content) {
    bitmap_ = plat_create_bitmap_over_raster(STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT, bytes_.data());
    dc_ = plat_create_compatible_dc(0);
    previous_ = plat_select_object(dc_, bitmap_);
  }
  ~ScratchRaster() {
    plat_select_object(dc_, previous_);
    plat_delete_object(bitmap_);
    plat_delete_dc(dc_);
  }
  PlatHandle dc() const { return dc_; }
  const Bytes& bytes() const { return bytes_; }
  void Draw(const std::u16string& text, const PlatRect& rect) {
    ASSERT_GT(plat_draw_text(dc_, text.c_str(), static_cast<int32_t>(text.size()), &rect, 0), 0);
  }

 private:
  Bytes bytes_;
  PlatHandle bitmap_ = 0;
  PlatHandle dc_ = 0;
  PlatHandle previous_ = 0;
};

struct ShownCase {
  int32_t angle;
  std::u16string angleText;  // the clockwise turn: the negated angle
  int32_t reduction;
  std::u16string reductionText;
};

void PrintTo(const ShownCase& c, std::ostream* out) {
  *out << "angle " << c.angle << ", reduction " << c.reduction;
}

class ShownNumbersTest : public PanelTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(ShownNumbersTest, AreDrawnAtTheirRectangles) {
  Bytes start(kRasterBytes);
  FillRandom(start.data(), start.size(), 9);
  ScratchRaster drawnByPanel(start);
  ScratchRaster expected(start);
  expected.Draw(GetParam().angleText, {45, 820, 80, 833});
  expected.Draw(GetParam().reductionText, {55, 738, 90, 750});
  ASSERT_NE(expected.bytes(), start);

  module().settings.angle = GetParam().angle;
  module().settings.reduction = GetParam().reduction;
  host.setInt(STAMP_REC_PANEL_DC, static_cast<int32_t>(drawnByPanel.dc()));
  UpdatePanel();
  EXPECT_EQ(drawnByPanel.bytes(), expected.bytes());
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShownNumbersTest,
    ::testing::Values(ShownCase{0, u"0", 30, u"30"}, ShownCase{90, u"-90", 10, u"10"},
                      ShownCase{-135, u"135", 17, u"17"}, ShownCase{180, u"-180", 30, u"30"},
                      // Profile values. The negation of INT_MIN shows its true value.
                      ShownCase{INT_MIN, u"2147483648", INT_MIN, u"-2147483648"},
                      ShownCase{INT_MAX, u"-2147483647", INT_MAX, u"2147483647"}));

}  // namespace
}  // namespace stamp::test
