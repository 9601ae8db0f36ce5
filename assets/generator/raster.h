// Anti-aliased painting of shapes into an Image: each pixel is sampled on a regular grid and the
// covered samples take the paint while the others keep the pixel, so edges blend smoothly.
#pragma once

#include <functional>

#include "image.h"
#include "shape.h"

namespace stamp::art {

// The colour of the paint at a point, for gradients.
using Shader = std::function<Rgb(Point)>;

// Paints shape (in image coordinates) over the pixels of region; pixels outside it are untouched.
void Paint(Image& image, Region region, const Shape& shape, Rgb colour);
void PaintShaded(Image& image, Region region, const Shape& shape, const Shader& shader);

// Paints shape drawn around (0,0) with its origin placed at the centre of region.
void PaintCentred(Image& image, Region region, const Shape& shape, Rgb colour);

// The colour a of weight (1 - t) mixed with b of weight t.
Rgb Mix(Rgb a, Rgb b, double t);

}  // namespace stamp::art
