#pragma once
// Control arrays grown at run time. LoadArrayElement(host, "opt", 3) is what Load opt(3)
// does: a new element of the array `opt` whose properties come from the array's lowest
// element (T::CopyPropertiesFrom), in that element's container, hidden until shown, last
// in the tab order. An index in use is "Object already loaded"; a name that is no array
// of T on the surface is "Control array element does not exist". UnloadArrayElement
// removes an element again. The user-interface thread only.

#include <string>
#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/core/control.h"

namespace feriant::ui {

template <class T>
Result<T*> LoadArrayElement(ControlHost& host, std::string_view name, int index) {
  if (index < 0) return MakeUiError(ui_error::kArrayElementMissing, std::string(name));
  T* lowest = nullptr;
  for (const auto& control : host.Controls()) {
    auto* element = dynamic_cast<T*>(control.get());
    if (element == nullptr || element->Index() < 0 ||
        !automation::NamesEqual(element->Name(), name))
      continue;
    if (lowest == nullptr || element->Index() < lowest->Index()) lowest = element;
  }
  if (lowest == nullptr) return MakeUiError(ui_error::kArrayElementMissing, std::string(name));
  if (host.Find(name, index) != nullptr)
    return MakeUiError(ui_error::kAlreadyLoaded,
                       std::string(name) + "(" + std::to_string(index) + ")");
  T& element = host.template Add<T>(lowest->Name(), index);
  (void)element.SetContainer(lowest->Container());
  element.SetVisible(false);
  element.CopyPropertiesFrom(*lowest);
  return &element;
}

inline Status UnloadArrayElement(ControlHost& host, std::string_view name, int index) {
  Control* element = index >= 0 ? host.Find(name, index) : nullptr;
  if (element == nullptr)
    return MakeUiError(ui_error::kArrayElementMissing,
                       std::string(name) + "(" + std::to_string(index) + ")");
  return host.Remove(*element);
}

}  // namespace feriant::ui
