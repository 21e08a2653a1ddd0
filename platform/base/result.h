#pragma once
// Errors as values. An Error carries its kind (what went wrong, from a closed list that
// callers branch on), the native code of the layer that raised it (an HRESULT or an
// automation error number, an errno, a signal number; 0 when there is none) and a
// description a person can read. Result<T> holds either a value or an Error; Status is
// Result<void>. Plain value types; no thread affinity.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace feriant {

// What went wrong. Callers decide on this; the native code is for messages and for the
// automation layer, whose callers see HRESULTs.
enum class ErrorKind : std::uint8_t {
  kAutomation,   // a late-bound call or an object failed; code: HRESULT or error number
  kNotFound,     // no such file, key, value, calendar or item
  kInvalid,      // an argument the operation does not take (a name, a date, a range)
  kDamaged,      // content that cannot be used as what it claims to be
  kUnsupported,  // sound content beyond what this system handles (an encoding, a recurrence)
  kConflict,     // another program changed the file since it was read
  kBusy,         // another program is writing the file now; trying again later may work
  kRefused,      // would harm what a person owns (read-only, not a regular file, too large)
  kSystem,       // a system call failed; code: errno
  kInterrupted,  // SIGINT or SIGTERM arrived; code: the signal
};

struct Error {
  std::int32_t code = 0;  // native code, see above
  std::string description;
  std::string source;  // who raised it; empty when it does not matter
  // Last, and kAutomation unless said otherwise: the automation layer's many errors are
  // written {code, description, source}.
  ErrorKind kind = ErrorKind::kAutomation;

  friend bool operator==(const Error&, const Error&) = default;
};

// An Error of `kind` with a native code.
inline Error ErrorOf(ErrorKind kind, std::string description, std::int32_t code = 0) {
  return Error{code, std::move(description), {}, kind};
}

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}      // NOLINT
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Error& error() const { return std::get<1>(state_); }

  template <class U>
  T value_or(U&& fallback) const& {
    return ok() ? value() : static_cast<T>(std::forward<U>(fallback));
  }

 private:
  std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)), failed_(true) {}  // NOLINT

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Error& error() const { return error_; }

 private:
  Error error_;
  bool failed_ = false;
};

using Status = Result<void>;

inline Status Ok() {
  return {};
}

}  // namespace feriant
