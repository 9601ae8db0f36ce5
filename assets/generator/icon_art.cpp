#include "icon_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bmp_writer.h"
#include "raster.h"
#include "shape.h"

namespace stamp::art {
namespace {

constexpr Rgb kHandleRed{128, 0, 0};
constexpr Rgb kBlockGrey{128, 128, 128};
constexpr Rgb kRubberBlack{0, 0, 0};

struct IconPart {
  Shape shape;
  Rgb colour;
};

// The parts, back to front, on a square of kIconSide units.
std::vector<IconPart> IconParts() {
  return {{Union({Disc({16, 7}, 6), Box({13, 10}, {19, 18})}), kHandleRed},
          {RoundedBox({4, 18}, {28, 25}, 2), kBlockGrey},
          {Box({6, 25}, {26, 28}), kRubberBlack},
          {Box({2, 30}, {30, 32}), kRubberBlack}};
}

// Whole pixels take a colour when their centre lies inside the shape: no blending, since an
// icon pixel must stay one of the palette's colours.
void PaintSolid(Image& image, const Shape& shape, Rgb colour) {
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (shape({x + 0.5, y + 0.5})) image.At(x, y) = colour;
    }
  }
}

// The parts painted with soft edges over ground, side pixels square.
Image PaintedOver(Rgb ground, int side) {
  Image image(side, side, ground);
  const double unitsPerPixel = static_cast<double>(kIconSide) / side;
  for (const IconPart& part : IconParts()) {
    const Shape scaled = [shape = part.shape, unitsPerPixel](Point p) {
      return shape({p.x * unitsPerPixel, p.y * unitsPerPixel});
    };
    Paint(image, {0, 0, side, side}, scaled, part.colour);
  }
  return image;
}

// Each pixel's cover c and colour k follow from the parts painted over black (c k) and over
// white (c k + (1 - c) 255): the two differ by (1 - c) 255.
RgbaImage Unblend(const Image& overBlack, const Image& overWhite) {
  RgbaImage icon{overBlack.Width(), overBlack.Height(), {}};
  icon.pixels.reserve(static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height) * 4);
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      const Rgb black = overBlack.At(x, y);
      const Rgb white = overWhite.At(x, y);
      const int alpha = std::clamp(255 - (white.g - black.g), 0, 255);
      const auto colour = [alpha](uint8_t premultiplied) {
        return static_cast<uint8_t>(
            alpha == 0 ? 0 : std::min(255L, std::lround(premultiplied * 255.0 / alpha)));
      };
      icon.pixels.insert(icon.pixels.end(), {colour(black.r), colour(black.g), colour(black.b),
                                             static_cast<uint8_t>(alpha)});
    }
  }
  return icon;
}

}  // namespace

Image DrawIcon() {
  Image icon(kIconSide, kIconSide, kTransparent);
  for (const IconPart& part : IconParts()) PaintSolid(icon, part.shape, part.colour);
  return icon;
}

RgbaImage DrawDesktopIcon(int side) {
  return Unblend(PaintedOver(kBlack, side), PaintedOver(kWhite, side));
}

}  // namespace stamp::art
