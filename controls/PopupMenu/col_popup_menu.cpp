#include "controls/PopupMenu/col_popup_menu.h"

#include <span>
#include <utility>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;
using Item = clsPopupMenuItem;

// A field of the record as a get and a put.
template <class V>
void Field(automation::Members<Item>& m, const char* name, automation::DispId id, V Item::*field) {
  m.Get(name, id, [field](Item& item, Args) -> Result<Variant> {
     return ui::members::ToVariant(item.*field);
   }).Put(name, id, [field](Item& item, Args a) -> Status {
    auto value = ui::members::FromVariant<V>(a.back());
    if (!value) return value.error();
    item.*field = std::move(*value);
    return Ok();
  });
}

}  // namespace

const automation::Members<Item>& Item::Interface() {
  namespace ids = cls_popup_menu_item::dispid;
  static const automation::Members<Item> members = [] {
    automation::Members<Item> m;
    Field(m, "Caption", ids::kCaption, &Item::caption);
    Field(m, "Key", ids::kKey, &Item::key);
    Field(m, "Checked", ids::kChecked, &Item::checked);
    Field(m, "Visible", ids::kVisible, &Item::visible);
    Field(m, "Enabled", ids::kEnabled, &Item::enabled);
    return m;
  }();
  return members;
}

const automation::Members<colPopupMenu>& colPopupMenu::Interface() {
  static const automation::Members<colPopupMenu> members = [] {
    automation::Members<colPopupMenu> m;
    m.Method("Add", keyed_collection::dispid::kAdd,
             [](colPopupMenu& c, Args a, Named n) -> Result<Variant> {
               auto key = automation::ArgumentOf(a, n, "sKey", 0).ToString();
               if (!key) return key.error();
               auto caption = automation::ArgumentOf(a, n, "sCaption", 1).ToString();
               if (!caption) return caption.error();
               return Variant(automation::ObjectRef(c.Add(std::move(*key), std::move(*caption))));
             });
    AddKeyedMembers(m);
    return m;
  }();
  return members;
}

std::shared_ptr<Item> colPopupMenu::Add(std::string key, std::string caption) {
  auto item = std::make_shared<Item>();
  item->key = std::move(key);
  item->caption = std::move(caption);
  items_.Append(item);
  return item;
}

ui::PropertyBag colPopupMenu::Save() const {
  ui::PropertyBag bag;
  RaiseIfFailed(bag.WriteProperty("Count", static_cast<std::int32_t>(items_.Count())));
  for (int i = 1; i <= items_.Count(); ++i) {
    const Item& item = *items_.At(i);
    const std::string n = std::to_string(i);
    RaiseIfFailed(bag.WriteProperty("Key" + n, item.key));
    RaiseIfFailed(bag.WriteProperty("Caption" + n, item.caption));
    RaiseIfFailed(bag.WriteProperty("Visible" + n, item.visible, true));
    RaiseIfFailed(bag.WriteProperty("Enabled" + n, item.enabled, true));
    RaiseIfFailed(bag.WriteProperty("Checked" + n, item.checked, false));
  }
  return bag;
}

void colPopupMenu::Load(ui::PropertyBag& bag) {
  const int count = ReadItemCount(bag);
  items_.Clear();
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    auto item = std::make_shared<Item>();
    bool keyed = false;
    ReadSetting<std::string>(bag, "Key" + n, Variant::Missing(), [&](std::string key) {
      item->key = std::move(key);
      keyed = true;
    });
    if (!keyed) continue;
    ReadSetting<std::string>(bag, "Caption" + n, Variant::Missing(),
                             [&](std::string caption) { item->caption = std::move(caption); });
    ReadSetting<bool>(bag, "Visible" + n, true, [&](bool v) { item->visible = v; });
    ReadSetting<bool>(bag, "Enabled" + n, true, [&](bool v) { item->enabled = v; });
    ReadSetting<bool>(bag, "Checked" + n, false, [&](bool v) { item->checked = v; });
    items_.Append(std::move(item));
  }
}

}  // namespace feriant::lumatrel
