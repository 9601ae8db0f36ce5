// Objects of this module that the system names by something wider than 32 bits (a library's
// address, a search in progress), named to callers by a small number: the slot's place plus
// one. Slots are never reused while the module lives, so a stale handle finds nothing.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "stamp/platform.h"

namespace stamp::platform {

template <typename T>
class HandleSlots {
 public:
  // The new handle; the caller keeps room ready (Reserve) so that adding cannot fail.
  PlatHandle Add(T value) {
    slots_.push_back(std::move(value));
    return static_cast<PlatHandle>(slots_.size());
  }
  void Reserve() { slots_.reserve(slots_.size() + 1); }
  T* Find(PlatHandle handle) {
    if (handle == 0 || handle > slots_.size() || !slots_[handle - 1]) return nullptr;
    return &*slots_[handle - 1];
  }
  void Remove(PlatHandle handle) { slots_[handle - 1].reset(); }

 private:
  std::vector<std::optional<T>> slots_;
};

}  // namespace stamp::platform
