#include "platform/ui/core/member_helpers.h"

namespace feriant::ui::members {

Variant ParentOf(const Control& control) {
  ControlHost* host = control.Host();
  if (host == nullptr) return Variant(automation::ObjectRef());
  return Variant(automation::ObjectRef(host->weak_from_this().lock()));
}

Variant ContainerOf(const Control& control) {
  Control* container = control.Container();
  if (container == nullptr) return ParentOf(control);
  return Variant(automation::ObjectRef(container->weak_from_this().lock()));
}

}  // namespace feriant::ui::members
