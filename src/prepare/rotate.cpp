// Bilinear rotation in integer arithmetic.
//
// Positions are 6.10 fixed point: one source pixel is 1024. Output pixel (j, i) samples the
// source at column X = hw*1024 + E*(j - hW) - F*(i - hH) and row Y = hh*1024 + F*(j - hW) +
// E*(i - hH), with E and F the cosine and sine times 1024 and the h-values the halves of the
// picture and of the output box. The walk forms X and Y by adding E and F per column and -F and E
// per row. Only the low 16 bits of a position are sampled, read as unsigned: bits 10-15 are the
// pixel (0..63) and bits 2-9 an 8-bit weight w. A negative position therefore reads as a pixel of
// 32 or more and falls outside any picture of the sizes in use. The positions are kept modulo
// 2^32 in unsigned arithmetic, which leaves those 16 bits as they are for any picture size.
//
// Each pair of neighbours is mixed as M[near][255 - w] + M[far][w], M[a][b] = floor(a*b/256).
// The weights sum to 255, not 256: a pair of values up to 255 mixes to at most floor(255*255/256)
// = 254, so the row mixes are valid first indices of the 256-entry table again, and the final
// mix of two values up to 254 stays at or below floor(254*255/256) = 253. The price is a slight
// darkening: a weight of 0 maps v to max(v - 1, 0), and white comes out at 251..253.
#include "src/prepare/rotate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include "src/pixel/canvas_access.h"
#include "src/prepare/mul_table.h"

namespace stamp {
namespace {

// The degree factor is the tool's pi over 180: the truncated steps at 150, 210 and 300 degrees
// depend on its difference from the exact value.
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kRoundUp = 0.5;  // the box side is rounded to the nearest whole pixel
constexpr double kLargestSide = std::numeric_limits<int32_t>::max();
constexpr uint32_t kFractionBits = 10;
constexpr double kOnePixel = 1 << kFractionBits;
constexpr uint32_t kPositionMask = 0xFFFF;  // the sampled low 16 bits of a position
constexpr uint32_t kFractionMask = (1u << kFractionBits) - 1;
constexpr uint32_t kWeightShift = 2;  // a 10-bit fraction becomes an 8-bit weight
constexpr uint32_t kFullWeight = 255;
constexpr int32_t kSmallestSampled = 2;  // a sample needs a right and a lower neighbour

// A position's sampled part: the whole pixel and the weight of the next pixel.
struct Sample {
  int32_t pixel;
  uint32_t weight;
};

struct Position {
  uint32_t x;
  uint32_t y;
};

// Truncates toward zero; the extent is never negative. A side beyond the int32 range (only for
// pictures larger than any canvas) is held at the int32 maximum.
int32_t BoxSide(double extent) {
  return static_cast<int32_t>(std::min(extent + kRoundUp, kLargestSide));
}

uint32_t Wrap(int32_t value) { return static_cast<uint32_t>(value); }

Sample Split(uint32_t position) {
  const uint32_t low = position & kPositionMask;
  return {static_cast<int32_t>(low >> kFractionBits), (low & kFractionMask) >> kWeightShift};
}

// MulTable's entries, read straight from its bytes: entry [a][b] is at a x 256 + b. Every index
// here is a channel value or a mix (both at most 255) and a weight.
struct Table {
  const uint8_t* entries;

  uint32_t Mix(uint32_t near, uint32_t far, uint32_t weight) const {
    return entries[near * kMulTableLevels + kFullWeight - weight] +
           entries[far * kMulTableLevels + weight];
  }
};

template <typename Canvas>
void SamplePixel(const Canvas& canvas, Table table, ImageView dst, ConstImageView src, int32_t j,
                 int32_t i, Sample sx, Sample sy) {
  const std::array<Channels, 4> square = canvas.ReadSquare(src, sx.pixel, sy.pixel);
  const Channels& p00 = square[0];
  const Channels& p10 = square[1];
  const Channels& p01 = square[2];
  const Channels& p11 = square[3];
  const auto channel = [&](size_t c) {
    const uint32_t upper = table.Mix(p00[c], p10[c], sx.weight);
    const uint32_t lower = table.Mix(p01[c], p11[c], sx.weight);
    return static_cast<uint16_t>(table.Mix(upper, lower, sy.weight));
  };
  canvas.Write(dst, j, i, {channel(0), channel(1), channel(2)});
}

// The source position of output pixel (0, 0), modulo 2^32.
Position StartPosition(int32_t width, int32_t height, const RotationSetup& setup) {
  const uint32_t cosStep = Wrap(setup.cosStep);
  const uint32_t sinStep = Wrap(setup.sinStep);
  const uint32_t halfOutWidth = Wrap(setup.outWidth / 2);
  const uint32_t halfOutHeight = Wrap(setup.outHeight / 2);
  return {(Wrap(width / 2) << kFractionBits) - cosStep * halfOutWidth + sinStep * halfOutHeight,
          (Wrap(height / 2) << kFractionBits) - sinStep * halfOutWidth - cosStep * halfOutHeight};
}

// Rows top to bottom, columns left to right; needs width and height of at least 2.
template <typename Canvas>
void Walk(const Canvas& canvas, ImageView dst, ConstImageView src, int32_t width, int32_t height,
          const RotationSetup& setup) {
  const uint32_t cosStep = Wrap(setup.cosStep);
  const uint32_t sinStep = Wrap(setup.sinStep);
  const int32_t lastX = width - 1;
  const int32_t lastY = height - 1;
  const Table table{kMulTable.data()};
  Position rowStart = StartPosition(width, height, setup);
  for (int32_t i = 0; i < setup.outHeight; ++i) {
    Position at = rowStart;
    for (int32_t j = 0; j < setup.outWidth; ++j) {
      const Sample sx = Split(at.x);
      const Sample sy = Split(at.y);
      if (sx.pixel < lastX && sy.pixel < lastY) SamplePixel(canvas, table, dst, src, j, i, sx, sy);
      at.x += cosStep;
      at.y += sinStep;
    }
    rowStart.x -= sinStep;
    rowStart.y += cosStep;
  }
}

}  // namespace

// Any int32 angle is accepted: the product is formed in double and cos and sin reduce it.
RotationSetup SetUpRotation(int32_t width, int32_t height, int32_t angleDegrees) {
  const double theta = angleDegrees * kRadiansPerDegree;
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  RotationSetup setup;
  setup.outWidth = BoxSide(std::fabs(height * s) + std::fabs(width * c));
  setup.outHeight = BoxSide(std::fabs(height * c) + std::fabs(width * s));
  setup.cosStep = static_cast<int32_t>(c * kOnePixel);
  setup.sinStep = static_cast<int32_t>(s * kOnePixel);
  return setup;
}

RotatedSize RotateBilinear(ImageView dst, ConstImageView src, int32_t width, int32_t height,
                           int32_t angleDegrees) {
  const RotationSetup setup = SetUpRotation(width, height, angleDegrees);
  if (width >= kSmallestSampled && height >= kSmallestSampled) {
    // Every pixel read lies in the picture and every pixel written in the output box: where the
    // canvas holds both, the walk reaches the bytes directly.
    const std::optional<DirectCanvas> direct = DirectCanvas::ForBlock(
        dst, src, std::max(width, setup.outWidth), std::max(height, setup.outHeight));
    if (direct) {
      Walk(*direct, dst, src, width, height, setup);
    } else {
      Walk(CheckedCanvas{}, dst, src, width, height, setup);
    }
  }
  return {setup.outWidth, setup.outHeight};
}

}  // namespace stamp
