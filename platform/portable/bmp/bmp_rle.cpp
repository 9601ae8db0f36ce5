// RLE8 and RLE4 pixel data. The stream is a series of byte pairs:
//   count > 0, value        a run of count pixels: the value's index (RLE8), or its two nibbles
//                           taken in turn, high first (RLE4);
//   0, 0                    end of line: the next row, from its left edge;
//   0, 1                    end of bitmap;
//   0, 2, dx, dy            move right by dx and up by dy, skipping the pixels in between;
//   0, n >= 3               an absolute run of n indices (bytes, or nibbles high first), padded
//                           to an even number of bytes.
// Rows are stored bottom-up. The cursor's x never exceeds the width: anything past a row's end is
// cut off, and once the cursor passes the last row nothing more can be written.
#include <algorithm>

#include "platform/portable/bmp/bmp_layout.h"
#include "platform/portable/bmp/bmp_reader.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

enum Escape : uint8_t { kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2 };

class RleCanvas {
 public:
  RleCanvas(const BmpLayout& layout, std::span<uint8_t> pixels)
      : palette_(layout.palette),
        pixels_(pixels),
        width_(static_cast<uint32_t>(layout.format.width)),
        height_(static_cast<uint32_t>(layout.format.height)) {}

  bool Done() const { return y_ >= height_; }

  void Put(uint8_t index) {
    if (x_ < width_ && y_ < height_) {
      const size_t at = (size_t{height_ - 1 - y_} * width_ + x_) * 3;
      std::copy_n(palette_[index].begin(), 3, pixels_.begin() + static_cast<ptrdiff_t>(at));
      ++x_;
    }
  }

  void EndLine() {
    x_ = 0;
    y_ = std::min(y_ + 1, height_);
  }

  void Move(uint8_t dx, uint8_t dy) {
    x_ = std::min(x_ + dx, width_);
    y_ = std::min(y_ + dy, height_);
  }

 private:
  const std::vector<BmpColor>& palette_;
  std::span<uint8_t> pixels_;
  uint32_t width_;
  uint32_t height_;
  uint32_t x_ = 0;  // from the left, at most width_
  uint32_t y_ = 0;  // rows from the bottom, at most height_
};

class RleDecoder {
 public:
  RleDecoder(std::span<const uint8_t> stream, const BmpLayout& layout, std::span<uint8_t> pixels)
      : reader_(stream),
        canvas_(layout, pixels),
        nibbles_(layout.format.compression == PLAT_BI_RLE4) {}

  std::string Run() {
    while (!canvas_.Done()) {
      if (reader_.Remaining() < 2) return "RLE data ends before the end-of-bitmap marker";
      const uint8_t count = reader_.U8();
      const uint8_t value = reader_.U8();
      if (count > 0) {
        PutRun(count, value);
      } else if (value == kEndOfLine) {
        canvas_.EndLine();
      } else if (value == kEndOfBitmap) {
        return {};
      } else if (value == kDelta) {
        if (reader_.Remaining() < 2) return "RLE move past the end of the data";
        const uint8_t dx = reader_.U8();
        canvas_.Move(dx, reader_.U8());
      } else if (std::string error = PutAbsolute(value); !error.empty()) {
        return error;
      }
    }
    return {};
  }

 private:
  void PutRun(uint8_t count, uint8_t value) {
    const auto high = static_cast<uint8_t>(value >> 4);
    const auto low = static_cast<uint8_t>(value & 0x0F);
    for (uint8_t i = 0; i < count; ++i) canvas_.Put(!nibbles_ ? value : i % 2 == 0 ? high : low);
  }

  std::string PutAbsolute(uint8_t count) {
    const size_t bytes = nibbles_ ? (size_t{count} + 1) / 2 : count;
    if (reader_.Remaining() < bytes) return "RLE absolute run past the end of the data";
    for (size_t i = 0; i < bytes; ++i) {
      const uint8_t value = reader_.U8();
      if (!nibbles_) {
        canvas_.Put(value);
        continue;
      }
      canvas_.Put(static_cast<uint8_t>(value >> 4));
      if (2 * i + 1 < count) canvas_.Put(static_cast<uint8_t>(value & 0x0F));
    }
    // A missing pad byte at the very end of the data is no loss.
    reader_.Skip(std::min(bytes % 2, reader_.Remaining()));
    return {};
  }

  ByteReader reader_;
  RleCanvas canvas_;
  bool nibbles_;
};

}  // namespace

std::string DecodeBmpRle(std::span<const uint8_t> stream, const BmpLayout& layout,
                         std::span<uint8_t> pixels) {
  return RleDecoder(stream, layout, pixels).Run();
}

}  // namespace stamp::platform
