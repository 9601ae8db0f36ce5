// Feeds arbitrary bytes to the BMP decoder. Besides the sanitizers' checks, a decoded picture
// must respect the decoder's limits and have exactly width x height pixels, and a refusal must
// give a one-line reason.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/portable/bmp/bmp_decoder.h"

namespace {

using stamp::platform::BmpDecodeResult;

bool WithinPromises(const BmpDecodeResult& result) {
  if (!result.image) return !result.error.empty() && result.error.find('\n') == result.error.npos;
  const stamp::platform::BmpFormat& format = result.image->format;
  if (format.width <= 0 || format.height <= 0) return false;
  if (format.width > stamp::platform::kMaxBmpSide || format.height > stamp::platform::kMaxBmpSide) {
    return false;
  }
  const size_t bytes = size_t(format.width) * size_t(format.height) * 3;
  return bytes <= stamp::platform::kMaxBmpDecodedBytes && result.image->pixels.size() == bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!WithinPromises(stamp::platform::DecodeBmp(std::span(data, size)))) __builtin_trap();
  return 0;
}
