#include "host/ora/png_layer.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>

#include "host/ora/layered_picture.h"

namespace stamp::ora {
namespace {

constexpr size_t kSignatureBytes = 8;
constexpr size_t kRgbaBytes = 4;
constexpr uint32_t kOpaque = 255;
constexpr uint32_t kFullOpacity = 65535;
// Deflate gives at most about 1032 bytes for one it stores, so a PNG shorter than its rows at
// one bit a pixel over this ratio cannot hold its picture.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr png_uint_32 kRowsPerReport = 64;

struct MemoryInput {
  const uint8_t* data;
  size_t size;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->at) png_error(png, "the picture's data ends early");
  std::memcpy(out, input->data + input->at, length);
  input->at += length;
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// One PNG being decoded from memory, as 8-bit non-premultiplied RGBA of the values it stores:
// 16-bit samples are scaled to 8 bits, palettes and grey expanded, an opaque picture given
// alpha 255; no gamma is applied. The libpng calls stand in functions of their own, free of
// objects with destructors, because libpng reports an error by a long jump out of them.
class PngInput {
 public:
  explicit PngInput(const std::vector<uint8_t>& png) : input_{png.data(), png.size(), 0} {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error_, OnError, OnWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~PngInput() { png_destroy_read_struct(&png_, &info_, nullptr); }
  PngInput(const PngInput&) = delete;
  PngInput& operator=(const PngInput&) = delete;

  // Reads the header and sets the conversions; false with error() when it cannot.
  bool ReadHeader(png_uint_32& width, png_uint_32& height) {
    if (info_ == nullptr) return Fail("not enough memory");
    if (setjmp(png_jmpbuf(png_)) != 0) return false;
    png_set_read_fn(png_, &input_, ReadFromMemory);
    png_read_info(png_, info_);
    png_set_expand(png_);
    png_set_scale_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_add_alpha(png_, kOpaque, PNG_FILLER_AFTER);
    passes_ = png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    width = png_get_image_width(png_, info_);
    height = png_get_image_height(png_, info_);
    return png_get_rowbytes(png_, info_) == width * kRgbaBytes || Fail("unexpected row layout");
  }

  // Reads every row into rows (top row first), pass by pass, and the rest of the file up to its
  // end; stopped (false with error() empty) when progress says so.
  bool ReadRows(png_bytep* rows, png_uint_32 height, const ReadProgress& progress) {
    if (setjmp(png_jmpbuf(png_)) != 0) return false;
    for (int pass = 0; pass < passes_; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png_, rows[y], nullptr);
        if (y % kRowsPerReport == 0 &&
            !GoOn(progress, (pass + static_cast<double>(y) / height) / passes_)) {
          return false;
        }
      }
    }
    png_read_end(png_, nullptr);
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  bool Fail(const char* why) {
    error_ = why;
    return false;
  }

  MemoryInput input_;
  std::string error_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  int passes_ = 1;
};

// One channel of a pixel of alpha (0 to 255) and a layer of opacity (0 to 65535) over white.
uint8_t OverWhite(uint32_t colour, uint32_t alpha, uint32_t opacity) {
  constexpr uint64_t kScale = uint64_t{kOpaque} * kFullOpacity;
  const uint64_t weight = uint64_t{alpha} * opacity;  // of kScale
  const uint64_t over = colour * weight + kOpaque * (kScale - weight);
  return static_cast<uint8_t>((over + kScale / 2) / kScale);
}

bool TooShortFor(size_t pngBytes, int32_t width, int32_t height) {
  const uint64_t rowBytes = 1 + (static_cast<uint64_t>(width) + 7) / 8;
  return uint64_t{pngBytes} * kMaxDeflateRatio < rowBytes * static_cast<uint64_t>(height);
}

}  // namespace

std::string DecodeLayerOverWhite(const std::string& name, const std::vector<uint8_t>& png,
                                 int32_t width, int32_t height, double opacity,
                                 std::vector<uint8_t>& pixels, const ReadProgress& progress) {
  if (png.size() < kSignatureBytes || png_sig_cmp(png.data(), 0, kSignatureBytes) != 0) {
    return name + " is not a PNG picture";
  }
  PngInput input(png);
  png_uint_32 pngWidth = 0;
  png_uint_32 pngHeight = 0;
  if (!input.ReadHeader(pngWidth, pngHeight)) return name + " is damaged: " + input.error();
  if (pngWidth != static_cast<png_uint_32>(width) ||
      pngHeight != static_cast<png_uint_32>(height)) {
    return name + " is " + std::to_string(pngWidth) + "x" + std::to_string(pngHeight) +
           ", not the picture's " + std::to_string(width) + "x" + std::to_string(height);
  }
  if (TooShortFor(png.size(), width, height)) {
    return name + " is damaged: " + std::to_string(png.size()) +
           " bytes cannot hold a picture of its size";
  }
  const size_t rowBytes = static_cast<size_t>(width) * kRgbaBytes;
  std::vector<uint8_t> rgba(rowBytes * static_cast<size_t>(height));
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = rgba.data() + y * rowBytes;
  if (!input.ReadRows(rows.data(), pngHeight, progress)) {
    return input.error().empty() ? kReadStopped : name + " is damaged: " + input.error();
  }

  const auto layerOpacity = static_cast<uint32_t>(std::lround(opacity * kFullOpacity));
  const size_t outRowBytes = static_cast<size_t>(width) * kBytesPerPixel;
  pixels.resize(outRowBytes * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = rows[static_cast<size_t>(y)];
    // The record keeps the bottom row first, blue first.
    uint8_t* out = pixels.data() + static_cast<size_t>(height - 1 - y) * outRowBytes;
    for (int32_t x = 0; x < width; ++x, in += kRgbaBytes, out += kBytesPerPixel) {
      out[0] = OverWhite(in[2], in[3], layerOpacity);
      out[1] = OverWhite(in[1], in[3], layerOpacity);
      out[2] = OverWhite(in[0], in[3], layerOpacity);
    }
  }
  return {};
}

}  // namespace stamp::ora
