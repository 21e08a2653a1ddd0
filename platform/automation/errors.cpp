#include "platform/automation/errors.h"

namespace feriant::automation {
namespace {

const char* DefaultDescription(std::int32_t code) {
  switch (code) {
    case hresult::kNotImplemented:
      return "Not implemented";
    case hresult::kNoInterface:
      return "No such interface supported";
    case hresult::kFail:
      return "Unspecified error";
    case hresult::kUnknownInterface:
      return "Unknown interface";
    case hresult::kMemberNotFound:
      return "Member not found";
    case hresult::kParamNotFound:
      return "Parameter not found";
    case hresult::kTypeMismatch:
      return "Type mismatch";
    case hresult::kUnknownName:
      return "Unknown name";
    case hresult::kNoNamedArgs:
      return "No named arguments";
    case hresult::kException:
      return "Exception occurred";
    case hresult::kOverflow:
      return "Out of present range";
    case hresult::kBadIndex:
      return "Invalid index";
    case hresult::kBadParamCount:
      return "Invalid number of parameters";
    case hresult::kParamNotOptional:
      return "Parameter not optional";
    case hresult::kClassNotRegistered:
      return "Class not registered";
    case hresult::kInvalidArg:
      return "The parameter is incorrect";
    default:
      return "Automation error";
  }
}

}  // namespace

Error MakeError(std::int32_t code, std::string detail) {
  std::string text = DefaultDescription(code);
  if (!detail.empty()) text += ": " + detail;
  return Error{code, std::move(text), {}};
}

Error MakeObjectError(std::int32_t code, std::string description, std::string source) {
  return Error{static_cast<std::int32_t>(static_cast<std::uint32_t>(hresult::kObjectErrorBase) +
                                         static_cast<std::uint32_t>(code)),
               std::move(description), std::move(source)};
}

ObjectError::ObjectError(Error error)
    : std::runtime_error(error.description), error_(std::move(error)) {}

}  // namespace feriant::automation
