#include "platform/ui/common/errors.h"

namespace feriant::ui {
namespace {

const char* Describe(std::int32_t code) {
  switch (code) {
    case ui_error::kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case ui_error::kObjectUnloaded:
      return "Object was unloaded";
    case ui_error::kUnableToUnload:
      return "Unable to unload within this context";
    case ui_error::kInvalidPropertyValue:
      return "Invalid property value";
    case ui_error::kInvalidArrayIndex:
      return "Invalid property array index";
    case ui_error::kReadOnlyProperty:
      return "Property is read-only";
    case ui_error::kArrayElementMissing:
      return "Control array element does not exist";
    case ui_error::kAlreadyLoaded:
      return "Object already loaded";
    case ui_error::kElementNotFound:
      return "Element not found";
    case ui_error::kKeyNotUnique:
      return "Key is not unique in collection";
    case ui_error::kAlreadyShownModally:
      return "Form already displayed; can't show modally";
    case ui_error::kNotSupported:
      return "Object doesn't support this property or method";
    case ui_error::kInvalidPicture:
      return "Invalid picture";
    case ui_error::kCantCreateObject:
      return "ActiveX component can't create object";
    default:
      return "Application-defined or object-defined error";
  }
}

}  // namespace

Error MakeUiError(std::int32_t code, std::string detail) {
  std::string text = Describe(code);
  if (!detail.empty()) text += ": " + detail;
  return Error{code, std::move(text), {}};
}

}  // namespace feriant::ui
