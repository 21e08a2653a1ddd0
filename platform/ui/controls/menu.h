#pragma once
// Menus: the entries of a form's (or a user control's) menus, windowless controls of
// that surface. A Menu whose ParentMenu is set is an entry of that menu; one without is a
// top-level menu, which here is only ever shown as a pop-up menu. The entries of a menu
// are the menus whose parent it is, in the order they were added to the surface.
//
// Caption carries the access key after "&" ("&Open"); the caption "-" makes a separator.
// Checked, Enabled and Visible are the entry's states; Click is raised when the person
// chooses the entry. Entries are often a control array loaded at run time
// (control_array.h).
//
// PopupMenu(menu, flags, x, y) shows the entries of `menu` at (x, y), in twips of the
// menu's surface (a missing coordinate is the mouse pointer's), aligned and chosen as
// `flags` say (popup_menu::* in backend.h), and returns when the person has chosen an
// entry or dismissed the menu: it raises the chosen entry's Click and returns it, or
// nullptr. A menu without a visible entry is not shown at all. Headless, the choice is
// scripted (HeadlessBackend::ScriptMenuChoice). The user-interface thread only.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/common/event.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/control.h"

namespace feriant::ui {

class Menu final : public ControlImpl<Menu> {
 public:
  Menu();
  static const automation::Members<Menu>& Interface();
  std::string ClassName() const override { return "Menu"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool IsSeparator() const { return caption_ == "-"; }

  // The menu this one is an entry of; nullptr for a top-level menu (or when it is gone).
  Menu* ParentMenu() const;
  // `parent` must be a menu of the same surface and not this one or one of its entries.
  Status SetParentMenu(Menu* parent);
  // The entries, in the order they were added to the surface.
  std::vector<Menu*> Entries() const;

  // A new array element takes these of the element it is loaded from.
  void CopyPropertiesFrom(const Menu& other);

  Event<>& Click() { return click_; }
  // The person chose this entry.
  void UserChoose();

 private:
  std::string caption_;
  bool checked_ = false;
  std::weak_ptr<automation::Dispatch> parent_;
  Menu* parent_address_ = nullptr;
  Event<> click_;
};

Result<Menu*> PopupMenu(Menu& menu, int flags = 0, std::optional<int> x = std::nullopt,
                        std::optional<int> y = std::nullopt);

}  // namespace feriant::ui
