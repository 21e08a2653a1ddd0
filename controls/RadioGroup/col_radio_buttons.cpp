#include "controls/RadioGroup/col_radio_buttons.h"

#include <span>
#include <utility>

#include "controls/RadioGroup/radio_group.h"
#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

}  // namespace

const automation::Members<clsRadioButton>& clsRadioButton::Interface() {
  namespace ids = cls_radio_button::dispid;
  using ui::members::Getter;
  using ui::members::Setter;
  using T = clsRadioButton;
  static const automation::Members<T> members = [] {
    automation::Members<T> m;
    AddCollectionMember<T, colRadioButtons>(m, ids::kCollection);
    m.Get("Key", ids::kKey, Getter<T>(&T::Key))
        .Put("Key", ids::kKey, Setter<T, std::string>(&T::SetKey))
        .Get("Enabled", ids::kEnabled, Getter<T>(&T::Enabled))
        .Put("Enabled", ids::kEnabled, Setter<T, bool>(&T::SetEnabled))
        .Get("Caption", ids::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", ids::kCaption, Setter<T, std::string>(&T::SetCaption));
    return m;
  }();
  return members;
}

void clsRadioButton::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  RebuildOwner();
}

void clsRadioButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  RebuildOwner();
}

void clsRadioButton::RebuildOwner() const {
  if (auto collection = Collection()) collection->RebuildOwner();
}

const automation::Members<colRadioButtons>& colRadioButtons::Interface() {
  static const automation::Members<colRadioButtons> members = [] {
    automation::Members<colRadioButtons> m;
    m.Method("Add", keyed_collection::dispid::kAdd,
             [](colRadioButtons& c, Args a, Named n) -> Result<Variant> {
               auto key = automation::ArgumentOf(a, n, "sKey", 0).ToString();
               if (!key) return key.error();
               auto caption = automation::ArgumentOf(a, n, "Caption", 1).ToString();
               if (!caption) return caption.error();
               bool enabled = true;
               if (Variant given = automation::ArgumentOf(a, n, "Enabled", 2); !given.IsMissing()) {
                 auto flag = given.ToBool();
                 if (!flag) return flag.error();
                 enabled = *flag;
               }
               return Variant(
                   automation::ObjectRef(c.Add(std::move(*key), std::move(*caption), enabled)));
             });
    AddKeyedMembers(m);
    return m;
  }();
  return members;
}

std::shared_ptr<clsRadioButton> colRadioButtons::Add(std::string key, std::string caption,
                                                     bool enabled) {
  auto item = std::make_shared<clsRadioButton>();
  item->SetKey(std::move(key));
  // Before it belongs here: setting these rebuilds nothing yet.
  item->SetCaption(std::move(caption));
  item->SetEnabled(enabled);
  item->SetCollection(std::static_pointer_cast<colRadioButtons>(shared_from_this()));
  items_.Append(item);
  RebuildOwner();
  return item;
}

void colRadioButtons::RebuildOwner() const {
  if (RadioGroup* group = owner_.Get()) group->Rebuild();
}

ui::PropertyBag colRadioButtons::Save() const {
  ui::PropertyBag bag;
  RaiseIfFailed(bag.WriteProperty("Count", static_cast<std::int32_t>(items_.Count())));
  for (int i = 1; i <= items_.Count(); ++i) {
    const clsRadioButton& item = *items_.At(i);
    const std::string n = std::to_string(i);
    RaiseIfFailed(bag.WriteProperty("Key" + n, item.Key()));
    RaiseIfFailed(bag.WriteProperty("Caption" + n, item.Caption(), ""));
    RaiseIfFailed(bag.WriteProperty("Enabled" + n, item.Enabled(), true));
  }
  return bag;
}

void colRadioButtons::Load(ui::PropertyBag& bag) {
  const int count = ReadItemCount(bag);
  items_.Clear();
  auto self = std::static_pointer_cast<colRadioButtons>(shared_from_this());
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    auto item = std::make_shared<clsRadioButton>();
    bool keyed = false;
    ReadSetting<std::string>(bag, "Key" + n, Variant::Missing(), [&](std::string key) {
      item->SetKey(std::move(key));
      keyed = true;
    });
    if (!keyed) continue;
    ReadSetting<std::string>(bag, "Caption" + n, "",
                             [&](std::string caption) { item->SetCaption(std::move(caption)); });
    ReadSetting<bool>(bag, "Enabled" + n, true, [&](bool enabled) { item->SetEnabled(enabled); });
    item->SetCollection(self);
    items_.Append(std::move(item));
  }
}

}  // namespace feriant::lumatrel
