// A kernel handle (a file, a mutex) closed when it goes out of scope.
#pragma once

#include <windows.h>

namespace stamp::platform {

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() {
    if (valid()) CloseHandle(handle_);
  }
  // The calls that open files give INVALID_HANDLE_VALUE on failure, the others NULL.
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace stamp::platform
