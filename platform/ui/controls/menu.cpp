#include "platform/ui/controls/menu.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

namespace {

MenuEntry EntryOf(const Menu& menu) {
  MenuEntry entry;
  entry.caption = menu.Caption();
  entry.checked = menu.Checked();
  entry.enabled = menu.Enabled();
  entry.visible = menu.Visible();
  for (const Menu* item : menu.Entries())
    entry.submenu.push_back(EntryOf(*item));
  return entry;
}

}  // namespace

Menu::Menu() : ControlImpl(/*windowed=*/false) {}

const Members<Menu>& Menu::Interface() {
  static const Members<Menu> members = [] {
    Members<Menu> m;
    using members::Getter;
    using members::Setter;
    using T = Menu;
    members::AddCommonMembers(m, members::kIdentity | members::kEnabled);
    m.Get("Caption", dispid::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", dispid::kCaption, Setter<T, std::string>(&T::SetCaption))
        .Get("Checked", dispid::kChecked, Getter<T>(&T::Checked))
        .Put("Checked", dispid::kChecked, Setter<T, bool>(&T::SetChecked));
    return m;
  }();
  return members;
}

void Menu::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

void Menu::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  NotifyChanged("Checked");
}

Menu* Menu::ParentMenu() const {
  return parent_.expired() ? nullptr : parent_address_;
}

Status Menu::SetParentMenu(Menu* parent) {
  if (parent != nullptr) {
    if (parent->Host() != Host() || Host() == nullptr)
      return MakeUiError(ui_error::kInvalidPropertyValue, "not a menu of this surface");
    for (const Menu* m = parent; m != nullptr; m = m->ParentMenu()) {
      if (m == this) return MakeUiError(ui_error::kInvalidPropertyValue, "circular menu");
    }
  }
  parent_ = parent != nullptr ? parent->weak_from_this() : std::weak_ptr<automation::Dispatch>();
  parent_address_ = parent;
  return Ok();
}

std::vector<Menu*> Menu::Entries() const {
  std::vector<Menu*> entries;
  if (Host() == nullptr) return entries;
  for (const auto& control : Host()->Controls()) {
    auto* menu = dynamic_cast<Menu*>(control.get());
    if (menu != nullptr && menu->ParentMenu() == this) entries.push_back(menu);
  }
  return entries;
}

void Menu::CopyPropertiesFrom(const Menu& other) {
  SetCaption(other.caption_);
  SetChecked(other.checked_);
  SetEnabled(other.Enabled());
  SetTag(other.Tag());
  (void)SetParentMenu(other.ParentMenu());
}

void Menu::UserChoose() {
  auto keep = KeepAlive();
  click_.Raise();
}

Result<Menu*> PopupMenu(Menu& menu, int flags, std::optional<int> x, std::optional<int> y) {
  if (menu.Host() == nullptr) return MakeUiError(ui_error::kObjectUnloaded, menu.Name());
  auto keep = menu.weak_from_this().lock();
  const std::vector<Menu*> entries = menu.Entries();
  PopupMenuRequest request;
  bool any_visible = false;
  for (const Menu* entry : entries) {
    request.entries.push_back(EntryOf(*entry));
    any_visible = any_visible || entry->Visible();
  }
  if (!any_visible) return static_cast<Menu*>(nullptr);
  request.flags = flags;
  request.surface = menu.Host();
  request.x = x;
  request.y = y;
  const std::vector<int> choice = CurrentBackend().ShowPopupMenu(request);
  // Walk the choice through the menus as they are now: a handler may have run meanwhile.
  Menu* chosen = nullptr;
  std::vector<Menu*> level = entries;
  for (int position : choice) {
    if (position < 0 || static_cast<size_t>(position) >= level.size())
      return static_cast<Menu*>(nullptr);
    chosen = level[static_cast<size_t>(position)];
    level = chosen->Entries();
  }
  if (chosen == nullptr || chosen->Host() == nullptr) return static_cast<Menu*>(nullptr);
  chosen->UserChoose();
  return chosen;
}

}  // namespace feriant::ui
