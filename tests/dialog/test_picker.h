// The picker library the dialog tests install beside a fake host program as tgetfile.dll. A test
// keeps the library loaded itself (so its state outlives each load and unload by the plug-in),
// scripts the answer through PickerScriptOf() and reads back what the picker received.
#pragma once

#include <cstdint>

#include "stamp/platform.h"

namespace stamp::test {

inline constexpr int32_t kPickerTextCapacity = 400;

struct PickerScript {
  int32_t result = 0;                         // what tGetFile returns; 0 models a cancel
  char16_t answer[kPickerTextCapacity] = {};  // copied into the file buffer when result != 0
  int32_t calls = 0;
  int32_t lastMode = -1;
  PlatOpenFileName lastRequest{};               // the request as received
  char16_t lastFile[kPickerTextCapacity] = {};  // the file buffer's text as received
};

// The name of the library's accessor for its script.
inline constexpr char kPickerScriptSymbol[] = "PickerScriptOf";
using PickerScriptOfFunction = PickerScript* (*)();

}  // namespace stamp::test
