// COM on Windows, for the host's uses of the system's imaging component (WIC): writing PNG
// pictures and reading pictures. An interface held and released, the thread's apartment, and a
// run of steps whose first failure is named.
#pragma once

#include <objbase.h>

#include <string>

#include "host/result.h"

namespace stamp::host {

// A COM interface released when the holder goes.
template <typename Interface>
class Held {
 public:
  Held() = default;
  ~Held() {
    if (object_ != nullptr) object_->Release();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Interface* operator->() const { return object_; }
  Interface* get() const { return object_; }
  Interface** out() { return &object_; }
  void** outVoid() { return reinterpret_cast<void**>(&object_); }

 private:
  Interface* object_ = nullptr;
};

// COM for this thread for as long as the object lives.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// Each step's failure names the step; later steps are skipped once one has failed.
class Steps {
 public:
  bool Do(HRESULT result, const char* step) {
    if (failed_.empty() && FAILED(result)) failed_ = step;
    return failed_.empty();
  }
  bool ok() const { return failed_.empty(); }
  Status Outcome() const {
    if (ok()) return {};
    return Failure{"cannot " + failed_};
  }

 private:
  std::string failed_;
};

}  // namespace stamp::host
