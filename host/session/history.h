// The undo history of the drawing's layers: each step keeps only the rectangle of one layer that
// changed, its bytes before and after, so a stroke of a 30-pixel stamp costs a few kilobytes on a
// canvas of any size. Undo puts a step's "before" bytes back, redo its "after" bytes; a new step
// drops the steps that were undone. The oldest steps go once there are more than kMaxSteps or
// they hold more than kMaxBytes (the newest step always stays).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "host/record/complete_record.h"

namespace stamp::host {

class History {
 public:
  static constexpr size_t kMaxSteps = 500;
  static constexpr size_t kMaxBytes = size_t{64} << 20;

  // Records that layer changed from before (the whole layer as it was, in the record's layout)
  // to what the record holds now. Nothing is recorded when nothing changed.
  void Record(const HostRecord& record, int32_t layer, std::span<const uint8_t> before);
  // The tool pressed a stamp into the active layer, whose bytes before it the tool keeps in the
  // undo buffer: recorded as a step when the undo buffer holds that layer.
  void RecordStroke(const HostRecord& record);
  // Put the layer of the step back as it was before / after it; the layer, or -1 with no step.
  int32_t Undo(HostRecord& record);
  int32_t Redo(HostRecord& record);
  void Clear();

  size_t undoSteps() const { return next_; }
  size_t redoSteps() const { return steps_.size() - next_; }
  size_t bytes() const { return bytes_; }

 private:
  // A rectangle of rows [top, bottom) and byte columns [left, right) of the layer's raster.
  struct Step {
    int32_t layer;
    size_t top, bottom, left, right;
    std::vector<uint8_t> before, after;
  };

  static void Apply(HostRecord& record, const Step& step, const std::vector<uint8_t>& bytes);
  void DropOldest();

  std::deque<Step> steps_;
  size_t next_ = 0;  // steps_[0, next_) can be undone, steps_[next_, end) redone
  size_t bytes_ = 0;
};

}  // namespace stamp::host
