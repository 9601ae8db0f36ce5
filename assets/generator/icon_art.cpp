#include "icon_art.h"

#include "bmp_writer.h"
#include "shape.h"

namespace stamp::art {
namespace {

constexpr Rgb kHandleRed{128, 0, 0};
constexpr Rgb kBlockGrey{128, 128, 128};
constexpr Rgb kRubberBlack{0, 0, 0};

// Whole pixels take a colour when their centre lies inside the shape: no blending, since an
// icon pixel must stay one of the palette's colours.
void PaintSolid(Image& image, const Shape& shape, Rgb colour) {
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (shape({x + 0.5, y + 0.5})) image.At(x, y) = colour;
    }
  }
}

}  // namespace

Image DrawIcon() {
  Image icon(kIconSide, kIconSide, kTransparent);
  PaintSolid(icon, Union({Disc({16, 7}, 6), Box({13, 10}, {19, 18})}), kHandleRed);
  PaintSolid(icon, RoundedBox({4, 18}, {28, 25}, 2), kBlockGrey);
  PaintSolid(icon, Box({6, 25}, {26, 28}), kRubberBlack);
  PaintSolid(icon, Box({2, 30}, {30, 32}), kRubberBlack);
  return icon;
}

}  // namespace stamp::art
