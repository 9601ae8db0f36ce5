#include "host/picture/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "host/picture/picture_header.h"

namespace stamp::host {
namespace {

constexpr size_t kSignatureBytes = 8;
constexpr png_uint_32 kRowsPerReport = 64;

struct MemoryInput {
  const uint8_t* data;
  size_t size;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->at) png_error(png, kDataEndsEarly);
  std::memcpy(out, input->data + input->at, length);
  input->at += length;
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

// The libpng calls stand in functions of their own, free of objects with destructors, because
// libpng reports an error by a long jump out of them.
struct PngReader::Decoder {
  explicit Decoder(std::span<const uint8_t> png) : input{png.data(), png.size(), 0} {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  ~Decoder() { png_destroy_read_struct(&png_, &info_, nullptr); }

  bool ReadHeader() {
    if (info_ == nullptr) return Fail("not enough memory");
    if (setjmp(png_jmpbuf(png_)) != 0) return false;
    png_set_read_fn(png_, &input, ReadFromMemory);
    png_read_info(png_, info_);
    storedPixelBits = uint32_t{png_get_bit_depth(png_, info_)} * png_get_channels(png_, info_);
    png_set_expand(png_);
    png_set_scale_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_add_alpha(png_, kOpaqueAlpha, PNG_FILLER_AFTER);
    passes_ = png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    width = png_get_image_width(png_, info_);
    height = png_get_image_height(png_, info_);
    return png_get_rowbytes(png_, info_) == width * kRgbaBytes || Fail("unexpected row layout");
  }

  bool ReadRows(png_bytep* rows, const PngProgress& progress) {
    if (setjmp(png_jmpbuf(png_)) != 0) return false;
    for (int pass = 0; pass < passes_; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png_, rows[y], nullptr);
        if (y % kRowsPerReport == 0 && progress &&
            !progress((pass + static_cast<double>(y) / height) / passes_)) {
          return false;
        }
      }
    }
    png_read_end(png_, nullptr);
    return true;
  }

  // One row after another into row; only for a file without interlacing.
  bool ReadEachRow(png_bytep row, const std::function<void(const uint8_t*)>& handle,
                   const PngProgress& progress) {
    if (setjmp(png_jmpbuf(png_)) != 0) return false;
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png_, row, nullptr);
      handle(row);
      if (y % kRowsPerReport == 0 && progress && !progress(static_cast<double>(y) / height)) {
        return false;
      }
    }
    png_read_end(png_, nullptr);
    return true;
  }

  bool Fail(const char* why) {
    error = why;
    return false;
  }

  MemoryInput input;
  std::string error;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  uint32_t storedPixelBits = 1;  // of each pixel as the file stores it, before the conversions
  bool interlaced() const { return passes_ > 1; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  int passes_ = 1;
};

PngReader::PngReader(std::span<const uint8_t> png) : decoder_(std::make_unique<Decoder>(png)) {}
PngReader::~PngReader() = default;

bool PngReader::HasSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= kSignatureBytes && png_sig_cmp(bytes.data(), 0, kSignatureBytes) == 0;
}

bool PngReader::ReadHeader() { return decoder_->ReadHeader(); }
uint32_t PngReader::width() const { return decoder_->width; }
uint32_t PngReader::height() const { return decoder_->height; }
const std::string& PngReader::error() const { return decoder_->error; }

bool PngReader::CanHoldItsPicture() const {
  return PngCanHold(decoder_->input.size, width(), height(), decoder_->storedPixelBits);
}

bool PngReader::ReadRgba(std::vector<uint8_t>& rgba, const PngProgress& progress) {
  const size_t rowBytes = size_t{width()} * kRgbaBytes;
  rgba.resize(rowBytes * height());
  std::vector<png_bytep> rows(height());
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = rgba.data() + y * rowBytes;
  return decoder_->ReadRows(rows.data(), progress);
}

bool PngReader::ReadRowByRow(const std::function<void(const uint8_t* rgba)>& row,
                             const PngProgress& progress) {
  const size_t rowBytes = size_t{width()} * kRgbaBytes;
  if (decoder_->interlaced()) {
    std::vector<uint8_t> rgba;
    if (!ReadRgba(rgba, progress)) return false;
    for (size_t y = 0; y < height(); ++y) row(rgba.data() + y * rowBytes);
    return true;
  }
  std::vector<uint8_t> buffer(rowBytes);
  return decoder_->ReadEachRow(buffer.data(), row, progress);
}

}  // namespace stamp::host
