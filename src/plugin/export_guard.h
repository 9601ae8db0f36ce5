// The exports are C functions: a C++ exception that left one would unwind into the host's frames,
// which know nothing of it. Every export therefore runs its body under Guarded, which turns an
// escaped exception (in practice std::bad_alloc from a string or a vector) into the export's
// failure result, after the export's own recovery has run.
#pragma once

namespace stamp {

inline void NoRecovery() {}

// body() when it returns; otherwise recover() runs (it must not throw) and failure is given.
template <typename Result, typename Body, typename Recover = void (*)()>
Result Guarded(Result failure, Body body, Recover recover = NoRecovery) noexcept {
  try {
    return body();
  } catch (...) {
    recover();
    return failure;
  }
}

}  // namespace stamp
