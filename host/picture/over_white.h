// Pixels with transparency laid over white, as every picture the host reads is shown: 8-bit
// non-premultiplied RGBA in, B,G,R out, with a plain rounded blend of the stored values. The
// PNG pictures of stamp sheets and the layers of layered files both come out so, on each system.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stamp::host {

inline constexpr size_t kRgbaBytes = 4;
inline constexpr uint32_t kOpaqueAlpha = 255;
inline constexpr uint32_t kFullOpacity = 65535;

// One row of width RGBA pixels laid over white into B,G,R, each alpha scaled by opacity (0 to
// kFullOpacity) first. Opaque pixels at full opacity come out unchanged.
void RgbaRowOverWhite(const uint8_t* rgba, uint32_t width, uint32_t opacity, uint8_t* bgr);

}  // namespace stamp::host
