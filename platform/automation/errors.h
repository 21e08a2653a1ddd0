#pragma once
// Error codes of late-bound calls, and object errors.
//
// Calls report failures as Error values carrying one of the codes below. A component
// raises an object error (object-error base 0x80040000 plus its own code, with a
// description and a source) by throwing ObjectError from a member; the dispatch layer
// turns it into an Error value for the caller.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/base/result.h"

namespace feriant::automation {

namespace hresult {
inline constexpr std::int32_t Code(std::uint32_t value) {
  return static_cast<std::int32_t>(value);
}
inline constexpr std::int32_t kNotImplemented = Code(0x80004001);
inline constexpr std::int32_t kNoInterface = Code(0x80004002);
inline constexpr std::int32_t kFail = Code(0x80004005);
inline constexpr std::int32_t kUnknownInterface = Code(0x80020001);
inline constexpr std::int32_t kMemberNotFound = Code(0x80020003);
inline constexpr std::int32_t kParamNotFound = Code(0x80020004);
inline constexpr std::int32_t kTypeMismatch = Code(0x80020005);
inline constexpr std::int32_t kUnknownName = Code(0x80020006);
inline constexpr std::int32_t kNoNamedArgs = Code(0x80020007);
inline constexpr std::int32_t kException = Code(0x80020009);
inline constexpr std::int32_t kOverflow = Code(0x8002000A);
inline constexpr std::int32_t kBadIndex = Code(0x8002000B);
inline constexpr std::int32_t kBadParamCount = Code(0x8002000E);
inline constexpr std::int32_t kParamNotOptional = Code(0x8002000F);
inline constexpr std::int32_t kClassNotRegistered = Code(0x80040154);
inline constexpr std::int32_t kInvalidArg = Code(0x80070057);
inline constexpr std::int32_t kObjectErrorBase = Code(0x80040000);
}  // namespace hresult

// An Error with one of the codes above and the usual description.
Error MakeError(std::int32_t code, std::string detail = {});

// The Error of object error `code` (added to the object-error base).
Error MakeObjectError(std::int32_t code, std::string description, std::string source);

// Thrown by a component's member to raise an object error; callers receive it as a value.
class ObjectError : public std::runtime_error {
 public:
  explicit ObjectError(Error error);
  ObjectError(std::int32_t code, std::string description, std::string source)
      : ObjectError(MakeObjectError(code, std::move(description), std::move(source))) {}
  const Error& error() const { return error_; }

 private:
  Error error_;
};

}  // namespace feriant::automation
