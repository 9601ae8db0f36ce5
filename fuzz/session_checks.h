// What one export may change in the host's record and buffers, and the check that it changed
// nothing else. The plug-in writes the host's memory only where its exports are meant to:
//  - the record: the pen handlers' fields (layers touched, update rectangle, host flags, undo
//    layer), each only by the handler that owns it; every other byte, hostDirectory included,
//    and the frame window object never;
//  - the layers only at pen up, and only the active one; the undo snapshot and overlaySave only
//    at pen down; the overlay only by the three pen handlers; stampBuffer and scratchBuffer only
//    by the calls that prepare the stamp (start-up, panel pen, keys);
//  - the panel raster only when the panel is drawn, and then, while the selection lies in the
//    cell grid, only from row 730 down;
//  - outside a session nothing at all; and no guard byte ever.
#pragma once

#include <cstdint>
#include <vector>

#include "host/record/complete_record.h"

namespace stamp::fuzz {

enum class Call { Init, Destroy, DrawPanel, PanelPen, PenDown, PenMove, PenUp, Key };

// Reports what went wrong and stops the run, so the fuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* what);

class HostWatch {
 public:
  explicit HostWatch(const host::HostRecord& record);

  // Takes the record and the canvas-sized buffers as they are before a call.
  void Before();
  // Fails when the call changed what it may not. The panel raster is compared with a copy kept
  // since the last drawing, which is then brought up to date.
  void After(Call call, bool sessionOpen);

 private:
  struct Field {
    uint32_t offset;
    uint32_t bytes;
  };

  void CheckRecord(Call call) const;
  void CheckCanvasBuffers(Call call, bool sessionOpen) const;
  void CheckPanel(Call call, bool sessionOpen);
  std::vector<uint32_t> WritableBuffers(Call call) const;
  static std::vector<Field> WritableFields(Call call);

  const host::HostRecord& record_;
  std::vector<uint8_t> recordBefore_;
  std::vector<uint8_t> frameBefore_;
  std::vector<std::vector<uint8_t>> canvasBefore_;  // in the order of host::kBufferFields
  std::vector<uint8_t> panel_;
};

}  // namespace stamp::fuzz
