// tgetfile.dll for the tests: answers a pick with the scripted path. Built twice, once without
// the tGetFile export (STAMP_PICKER_WITHOUT_ENTRY), to stand for a library that lacks it.
#include "test_picker.h"

#include <algorithm>

using stamp::test::kPickerTextCapacity;
using stamp::test::PickerScript;

namespace {

PickerScript script;

}  // namespace

extern "C" __attribute__((visibility("default"))) PickerScript* PickerScriptOf() { return &script; }

#ifndef STAMP_PICKER_WITHOUT_ENTRY
namespace {

// Copies a zero-terminated text into `capacity` units, cut to fit with its terminator.
void CopyBounded(const char16_t* from, char16_t* to, size_t capacity) {
  if (from == nullptr || to == nullptr || capacity == 0) return;
  const char16_t* end = std::find(from, from + capacity - 1, u'\0');
  *std::copy(from, end, to) = u'\0';
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t tGetFile(int32_t mode,
                                                                   PlatOpenFileName* request) {
  ++script.calls;
  script.lastMode = mode;
  script.lastRequest = *request;
  CopyBounded(request->lpstrFile, script.lastFile,
              std::min<size_t>(request->nMaxFile, kPickerTextCapacity));
  if (script.result != 0) CopyBounded(script.answer, request->lpstrFile, request->nMaxFile);
  return script.result;
}
#endif
