#include "host/session/history.h"

#include <algorithm>
#include <cstring>

namespace stamp::host {
namespace {

constexpr size_t kPixelBytes = 3;  // B, G, R

// The bytes of the rectangle [top, bottom) x [left, right) of rows rowBytes long.
std::vector<uint8_t> Cut(const uint8_t* raster, size_t rowBytes, size_t top, size_t bottom,
                         size_t left, size_t right) {
  std::vector<uint8_t> bytes;
  bytes.reserve((bottom - top) * (right - left));
  for (size_t row = top; row < bottom; ++row) {
    const uint8_t* start = raster + row * rowBytes;
    bytes.insert(bytes.end(), start + left, start + right);
  }
  return bytes;
}

}  // namespace

// The rectangle is found row by row: the first and last rows that differ, then within those
// rows the first and last differing bytes, widened to whole pixels.
void History::Record(const HostRecord& record, int32_t layer, std::span<const uint8_t> before) {
  const uint8_t* after = record.buffer(stamp_rec_layer_buffer(layer));
  const size_t rowBytes = record.raster(stamp_rec_layer_buffer(layer)).rowBytes();
  const size_t rows = static_cast<size_t>(record.canvasHeight());
  if (after == nullptr || before.size() != rowBytes * rows) return;
  size_t top = rows, bottom = 0, left = rowBytes, right = 0;
  for (size_t row = 0; row < rows; ++row) {
    const uint8_t* was = before.data() + row * rowBytes;
    const uint8_t* is = after + row * rowBytes;
    if (std::memcmp(was, is, rowBytes) == 0) continue;
    top = std::min(top, row);
    bottom = row + 1;
    const auto first = std::mismatch(was, was + rowBytes, is).first - was;
    size_t last = rowBytes;
    while (was[last - 1] == is[last - 1]) --last;
    left = std::min(left, static_cast<size_t>(first) / kPixelBytes * kPixelBytes);
    right = std::max(right, (last + kPixelBytes - 1) / kPixelBytes * kPixelBytes);
  }
  if (bottom == 0) return;
  steps_.erase(steps_.begin() + static_cast<ptrdiff_t>(next_), steps_.end());
  const auto cut = [&](const uint8_t* raster) {
    return Cut(raster, rowBytes, top, bottom, left, right);
  };
  Step step{layer, top, bottom, left, right, cut(before.data()), cut(after)};
  bytes_ = 0;
  for (const Step& kept : steps_) bytes_ += kept.before.size() + kept.after.size();
  bytes_ += step.before.size() + step.after.size();
  steps_.push_back(std::move(step));
  next_ = steps_.size();
  while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) DropOldest();
}

void History::RecordStroke(const HostRecord& record) {
  const int32_t layer = record.getInt(STAMP_REC_ACTIVE_LAYER);
  if (layer == record.getInt(STAMP_REC_UNDO_LAYER)) {
    Record(record, layer, {record.buffer(STAMP_REC_UNDO_BUFFER), record.canvasBytes()});
  }
}

int32_t History::Undo(HostRecord& record) {
  if (next_ == 0) return -1;
  const Step& step = steps_[--next_];
  Apply(record, step, step.before);
  return step.layer;
}

int32_t History::Redo(HostRecord& record) {
  if (next_ == steps_.size()) return -1;
  const Step& step = steps_[next_++];
  Apply(record, step, step.after);
  return step.layer;
}

void History::Clear() {
  steps_.clear();
  next_ = 0;
  bytes_ = 0;
}

void History::Apply(HostRecord& record, const Step& step, const std::vector<uint8_t>& bytes) {
  uint8_t* layer = record.buffer(stamp_rec_layer_buffer(step.layer));
  const size_t rowBytes = record.raster(stamp_rec_layer_buffer(step.layer)).rowBytes();
  const size_t width = step.right - step.left;
  for (size_t row = step.top; row < step.bottom; ++row) {
    std::memcpy(layer + row * rowBytes + step.left, bytes.data() + (row - step.top) * width, width);
  }
}

void History::DropOldest() {
  bytes_ -= steps_.front().before.size() + steps_.front().after.size();
  steps_.pop_front();
  --next_;
}

}  // namespace stamp::host
