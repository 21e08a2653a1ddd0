#include "platform/ui/core/property_page.h"

#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

PropertyPage::PropertyPage(std::string name, std::string caption, int width, int height)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      width_(width < 0 ? 0 : width),
      height_(height < 0 ? 0 : height) {}

PropertyPage::~PropertyPage() = default;

const Members<PropertyPage>& PropertyPage::Interface() {
  static const Members<PropertyPage> members = [] {
    Members<PropertyPage> m;
    using T = PropertyPage;
    m.Get("Caption", dispid::kCaption, members::Getter<T>(&T::Caption))
        .Get("Changed", 1, members::Getter<T>(&T::Changed))
        .Put("Changed", 1, members::Setter<T, bool>(&T::SetChanged))
        .Get("SelectedControls", 2, [](T& page, std::span<Variant> args) -> Result<Variant> {
          // SelectedControls(i): the i-th selected control, 0-based; without an index, all.
          if (args.empty()) {
            automation::VariantArray all;
            for (const auto& object : page.SelectedControls())
              all.emplace_back(object);
            return Variant(std::move(all));
          }
          auto index = args[0].ToI4();
          if (!index) return index.error();
          if (*index < 0 || static_cast<size_t>(*index) >= page.SelectedControls().size())
            return automation::MakeError(automation::hresult::kBadIndex);
          return Variant(page.SelectedControls()[static_cast<size_t>(*index)]);
        });
    return m;
  }();
  return members;
}

Result<automation::DispId> PropertyPage::GetIdOfName(std::string_view name) const {
  return Interface().IdOfName(name);
}

Result<Variant> PropertyPage::Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<Variant> args,
                                     std::span<const automation::NamedArg> named) {
  auto keep = weak_from_this().lock();
  try {
    return Interface().Invoke(*this, id, kind, args, named);
  } catch (const automation::ObjectError& error) {
    return error.error();
  }
}

void PropertyPage::SetSelectedControls(std::vector<automation::ObjectRef> controls) {
  auto keep = weak_from_this().lock();
  selected_ = std::move(controls);
  OnSelectionChanged();
}

void PropertyPage::SetChanged(bool changed) {
  if (changed == changed_) return;
  changed_ = changed;
  changed_event_.Raise(changed);
}

Status PropertyPage::Apply() {
  auto keep = weak_from_this().lock();
  Status status = [this]() -> Status {
    try {
      return OnApplyChanges();
    } catch (const automation::ObjectError& error) {
      return error.error();
    }
  }();
  if (!status) return status;
  SetChanged(false);
  return Ok();
}

void PropertyPage::Show() {
  if (shown_) return;
  shown_ = true;
  NotifyHostChanged("Shown");
  UpdateShown();
}

void PropertyPage::Hide() {
  if (!shown_) return;
  shown_ = false;
  NotifyHostChanged("Hidden");
  UpdateShown();
}

}  // namespace feriant::ui
