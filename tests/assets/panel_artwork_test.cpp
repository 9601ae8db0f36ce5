// The panel artwork file: its size and format, and the regions the plug-in blends onto its panel
// (the dial background is added, the dial face, marker and button icons are multiplied).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

#include "bmp_file.h"
#include "stamp/plugin.h"

namespace stamp::assets_test {
namespace {

constexpr int kDialSize = 70;
constexpr int kDialFaceX = 0;
constexpr int kDialBackgroundX = 190;
constexpr double kDialRadius = 35.0;
// A pixel whose centre lies this far beyond a circle has no part inside it.
constexpr double kHalfPixelDiagonal = 0.71;
// The prepared stamp is centred on the dial; its shape stays within this distance of the centre.
constexpr double kStampReach = 21.0;
constexpr int kMarkerY = 70;
constexpr int kMarkerSize = 30;
constexpr int kMarkerFrameMax = 4;
constexpr int kIconX = 40;
constexpr int kPlusY = 70;
constexpr int kMinusY = 80;

class PanelArtworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    auto parsed = ParseBmp24(ReadBytes(STAMP_ASSETS_DIR "/" STAMP_PANEL_IMAGE_FILE), error);
    ASSERT_TRUE(parsed) << STAMP_PANEL_IMAGE_FILE ": " << error;
    panel = *parsed;
    ASSERT_EQ(panel.width(), 264);
    ASSERT_EQ(panel.height(), 100);
  }

  // Distance of pixel (x, y)'s centre from the centre of the dial region starting at regionX.
  static double FromDialCentre(int regionX, int x, int y) {
    return std::hypot(x + 0.5 - (regionX + kDialSize / 2.0), y + 0.5 - kDialSize / 2.0);
  }

  Raster panel{0, 0};
};

TEST_F(PanelArtworkTest, DialBackgroundAddsNothingOutsideTheDialAndLightensInside) {
  for (int y = 0; y < kDialSize; ++y) {
    for (int x = kDialBackgroundX; x < kDialBackgroundX + kDialSize; ++x) {
      if (FromDialCentre(kDialBackgroundX, x, y) > kDialRadius + kHalfPixelDiagonal) {
        EXPECT_TRUE(IsBlack(panel.At(x, y))) << x << "," << y;
      }
    }
  }
  EXPECT_FALSE(IsBlack(panel.At(kDialBackgroundX + kDialSize / 2, kDialSize / 2)));
}

TEST_F(PanelArtworkTest, DialFaceIsWhiteOutsideTheRimAndUnderTheStamp) {
  for (int y = 0; y < kDialSize; ++y) {
    for (int x = kDialFaceX; x < kDialFaceX + kDialSize; ++x) {
      const double distance = FromDialCentre(kDialFaceX, x, y);
      if (distance > kDialRadius + kHalfPixelDiagonal || distance < kStampReach) {
        EXPECT_TRUE(IsWhite(panel.At(x, y))) << x << "," << y;
      }
    }
  }
}

TEST_F(PanelArtworkTest, DialFaceHasADarkRimAllRound) {
  constexpr int kAngles = 36;
  constexpr double kRimRadius = 33.0;
  for (int i = 0; i < kAngles; ++i) {
    const double a = 2.0 * std::numbers::pi * i / kAngles;
    const int x = static_cast<int>(kDialSize / 2.0 + kRimRadius * std::sin(a));
    const int y = static_cast<int>(kDialSize / 2.0 - kRimRadius * std::cos(a));
    EXPECT_TRUE(IsDark(panel.At(kDialFaceX + x, y))) << "at " << i * 10 << " degrees";
  }
}

TEST_F(PanelArtworkTest, MarkerIsAColouredFrameAroundAWhiteInside) {
  for (int y = kMarkerFrameMax; y < kMarkerSize - kMarkerFrameMax; ++y) {
    for (int x = kMarkerFrameMax; x < kMarkerSize - kMarkerFrameMax; ++x) {
      EXPECT_TRUE(IsWhite(panel.At(x, kMarkerY + y))) << x << "," << y;
    }
  }
  const int middle = kMarkerSize / 2;
  const int last = kMarkerSize - 1;
  for (const auto& [x, y] : {std::pair{middle, 0}, {middle, last}, {0, middle}, {last, middle}}) {
    const Rgb edge = panel.At(x, kMarkerY + y);
    EXPECT_TRUE(IsDark(edge)) << x << "," << y;
    EXPECT_FALSE(edge.red == edge.green && edge.green == edge.blue)
        << "grey frame at " << x << "," << y;
  }
}

// Both icons have a dark bar across the middle; only the plus has one up the middle.
TEST_F(PanelArtworkTest, PlusAndMinusIconsAreTellApart) {
  constexpr int kMiddle = 4;
  constexpr int kAboveMiddle = 3;
  for (int x = 3; x <= 6; ++x) {
    EXPECT_TRUE(IsDark(panel.At(kIconX + x, kPlusY + kMiddle))) << "plus, x " << x;
    EXPECT_TRUE(IsDark(panel.At(kIconX + x, kMinusY + kMiddle))) << "minus, x " << x;
  }
  EXPECT_TRUE(IsDark(panel.At(kIconX + kMiddle, kPlusY + kAboveMiddle)));
  EXPECT_FALSE(IsDark(panel.At(kIconX + kMiddle, kMinusY + kAboveMiddle)));
  EXPECT_TRUE(IsWhite(panel.At(kIconX + kMiddle, kMinusY + kAboveMiddle - 1)));
}

}  // namespace
}  // namespace stamp::assets_test
