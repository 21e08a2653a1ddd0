#pragma once
// Errors as values. An Error carries a 32-bit code (HRESULT-style where the code comes
// from the automation layer, errno-style for the operating system) and a description a
// person can read. Result<T> holds either a value or an Error; Status is Result<void>.
// Plain value types; no thread affinity.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace feriant {

struct Error {
  std::int32_t code = 0;
  std::string description;
  std::string source;  // who raised it; empty when it does not matter

  friend bool operator==(const Error&, const Error&) = default;
};

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
