#include "controls/PopupMenu/popup_menu.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/controls/control_array.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;
namespace ids = popup_menu::dispid;

// Geometry, twips.
constexpr int kHeight = 330;
constexpr int kWidth = 1500;
constexpr int kNameGap = 60;  // between the picture and the name
constexpr char kEntries[] = "mnuPopupItem";

// The control's picture, 16 x 16 pixels: a small menu with a highlighted entry.
constexpr int kIcon = 16;
constexpr std::array<std::string_view, kIcon> kIconArt = {
    "................", ".kkkkkkkkkkkkk..", ".kwwwwwwwwwwwks.", ".kwkkkkkkwwwwks.",
    ".kwwwwwwwwwwwks.", ".kbbbbbbbbbbbks.", ".kbwwwwwwwbbbks.", ".kbbbbbbbbbbbks.",
    ".kwwwwwwwwwwwks.", ".kwkkkkkwwwwwks.", ".kwwwwwwwwwwwks.", ".kwkkkkkkkwwwks.",
    ".kwwwwwwwwwwwks.", ".kkkkkkkkkkkkks.", "..sssssssssssss.", "................"};

std::shared_ptr<ui::StdPicture> Icon() {
  std::vector<ui::OleColor> pixels;
  pixels.reserve(kIcon * kIcon);
  for (std::string_view row : kIconArt) {
    for (char c : row) {
      pixels.push_back(c == 'k'   ? ui::Rgb(0, 0, 0)
                       : c == 'w' ? ui::Rgb(255, 255, 255)
                       : c == 'b' ? ui::Rgb(0, 0, 128)
                       : c == 's' ? ui::Rgb(128, 128, 128)
                                  : ui::Rgb(192, 192, 192));
    }
  }
  return *ui::StdPicture::FromPixels(kIcon, kIcon, std::move(pixels));
}

// An optional coordinate: Missing (or Empty) is none.
Result<std::optional<int>> Coordinate(const Variant& value) {
  if (value.IsMissing() || value.IsEmpty()) return std::optional<int>();
  auto number = value.ToI4();
  if (!number) return number.error();
  return std::optional<int>(*number);
}

Result<int> Flag(const Variant& value) {
  if (value.IsMissing()) return 0;
  auto number = value.ToI4();
  if (!number) return number.error();
  return static_cast<int>(*number);
}

}  // namespace

PopupMenu::PopupMenu()
    : UserControlImpl("PopupMenu", popup_menu::kClassId, popup_menu::kEventInterfaceId) {
  SetInitialSize(kWidth, kHeight);
  pic_ = &Add<ui::Image>("pic");
  pic_->SetPicture(Icon());
  (void)pic_->Move(30, 0, pic_->Width(), pic_->Height());
  menu_ = &Add<ui::Menu>("mnuPopup");
  menu_->SetVisible(false);
  ui::Menu& placeholder = Add<ui::Menu>(kEntries, 0);
  (void)placeholder.SetParentMenu(menu_);
}

const automation::Members<PopupMenu>& PopupMenu::Interface() {
  static const automation::Members<PopupMenu> members = [] {
    using T = PopupMenu;
    automation::Members<T> m;
    m.Method("ChangedMenuItems", ids::kChangedMenuItems,
             [](T& self, Args, Named) -> Result<Variant> {
               self.ChangedMenuItems();
               return Variant();
             })
        .Method("Popup", ids::kPopup,
                [](T& self, Args a, Named n) -> Result<Variant> {
                  auto x = Coordinate(automation::ArgumentOf(a, n, "X", 0));
                  if (!x) return x.error();
                  auto y = Coordinate(automation::ArgumentOf(a, n, "Y", 1));
                  if (!y) return y.error();
                  auto align = Flag(automation::ArgumentOf(a, n, "Align", 2));
                  if (!align) return align.error();
                  auto button = Flag(automation::ArgumentOf(a, n, "ClickButton", 3));
                  if (!button) return button.error();
                  auto chosen = self.Popup(*x, *y, *align, *button);
                  if (!chosen) return chosen.error();
                  return Variant();
                })
        .Get("MenuItems", ids::kMenuItems, ui::members::Getter<T>(&T::MenuItems))
        .PutRef("MenuItems", ids::kMenuItems, [](T& self, Args a) -> Status {
          auto items = std::dynamic_pointer_cast<colPopupMenu>(a.back().AsObject());
          if (!items) return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, "MenuItems");
          self.SetMenuItems(std::move(items));
          return Ok();
        });
    return m;
  }();
  return members;
}

void PopupMenu::ChangedMenuItems() {
  PropertyChanged("MenuItems");
}

Result<int> PopupMenu::Popup(std::optional<int> x, std::optional<int> y, int align,
                             int click_button) {
  auto keep = weak_from_this().lock();
  const int flags = click_button | align;
  ui::Menu* placeholder = FindAs<ui::Menu>(kEntries, 0);
  placeholder->SetVisible(true);
  // The entries of the last menu, from the highest down.
  std::vector<int> loaded;
  for (const auto& control : Controls()) {
    if (control->Name() == kEntries && control->Index() > 0) loaded.push_back(control->Index());
  }
  for (auto it = loaded.rbegin(); it != loaded.rend(); ++it)
    (void)ui::UnloadArrayElement(*this, kEntries, *it);

  bool any_visible = false;
  // A copy: a handler may change the collection while the menu is open.
  const auto entries = items_->Items().All();
  for (size_t i = 0; i < entries.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    auto entry = ui::LoadArrayElement<ui::Menu>(*this, kEntries, k);
    if (!entry) return entry.error();
    const clsPopupMenuItem& item = *entries[i];
    (*entry)->SetCaption(item.caption);
    (*entry)->SetTag(std::to_string(k));
    (*entry)->SetVisible(item.visible);
    (*entry)->SetChecked(item.checked);
    (*entry)->SetEnabled(item.enabled);
    (*entry)->Click().Connect([this, k] { EntryChosen(k); });
    any_visible = any_visible || item.visible;
  }
  if (!any_visible) return 0;
  placeholder->SetVisible(false);
  // The platform places the menu in the control's own twips.
  if (x && Site() != nullptr) *x -= Site()->Left();
  if (y && Site() != nullptr) *y -= Site()->Top();
  auto chosen = ui::PopupMenu(*menu_, flags, x, y);
  if (!chosen) return chosen.error();
  return *chosen == nullptr ? 0 : (*chosen)->Index();
}

void PopupMenu::EntryChosen(int position) {
  auto keep = weak_from_this().lock();
  Variant args[] = {Variant(static_cast<std::int32_t>(position)),
                    Variant(automation::ObjectRef(items_->Items().At(position)))};
  RaiseEvent(popup_menu::event::kPopupItemClick, args);
}

void PopupMenu::OnResize() {
  if (Height() != kHeight) (void)SetHeight(kHeight);
}

void PopupMenu::ShowDesignLook() {
  pic_->SetVisible(!UserMode());
}

void PopupMenu::OnShow() {
  ShowDesignLook();
}

void PopupMenu::OnPaint() {
  if (UserMode()) return;
  const std::string name = Site() != nullptr ? Site()->Name() : std::string();
  Drawing().DrawText(pic_->Left() + pic_->Width() + kNameGap, Height() / 2 - TextHeight("A") / 2,
                     name, Font()->Desc(), ForeColor());
}

void PopupMenu::OnInitProperties() {
  ShowDesignLook();
}

void PopupMenu::OnReadProperties(ui::PropertyBag& bag) {
  if (auto nested = ReadNestedBag(bag, "MenuItems")) items_->Load(*nested);
  ShowDesignLook();
}

void PopupMenu::OnWriteProperties(ui::PropertyBag& bag) {
  WriteNestedBag(bag, "MenuItems", items_->Save());
}

}  // namespace feriant::lumatrel
