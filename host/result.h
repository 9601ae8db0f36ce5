// How the host reports an ordinary failure (a file that cannot be read or written, a size that
// does not fit, a script line that does not parse): a function gives a Status, or a Result<T>
// holding its value, and a failure carries the one line the user reads. Exceptions are kept for
// what ends a session (the plug-in failing to start, guard zones overwritten), caught once where
// each command and the window begin.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace stamp::host {

// Why something failed, in one line, as the user reads it.
struct Failure {
  std::string message;
};

// Success, or a Failure.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Failure failure) : ok_(false), message_(std::move(failure.message)) {}

  bool ok() const { return ok_; }
  // The failure's line; empty for success.
  const std::string& error() const { return message_; }

 private:
  bool ok_ = true;
  std::string message_;
};

// A value, or a Failure.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Failure failure) : message_(std::move(failure.message)) {}

  bool ok() const { return value_.has_value(); }
  // The failure's line; empty when the result holds its value.
  const std::string& error() const { return message_; }
  // Only for a result that holds its value.
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  std::string message_;
};

}  // namespace stamp::host

// Gives the failure of expression (a Status or a Result) back from the function it stands in.
#define STAMP_TRY(expression)                                                    \
  do {                                                                           \
    if (const auto& stamp_try_outcome = (expression); !stamp_try_outcome.ok()) { \
      return ::stamp::host::Failure{stamp_try_outcome.error()};                  \
    }                                                                            \
  } while (false)
