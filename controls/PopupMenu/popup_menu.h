#pragma once
// PopupMenu: a context menu whose entries are data. The form fills the control's
// colPopupMenu and calls Popup; the menu (mnuPopup, entries mnuPopupItem(k), element 0 a
// placeholder that is hidden whenever the menu shows) is built afresh from the collection
// on every Popup, and the entry the person chooses is reported as PopupItemClick with
// its 1-based position and the collection's entry. On its form the control shows a small
// picture (pic) and its own name; its height stays 330.
//
// The collection is persisted as one nested property bag under "MenuItems". The control
// owns its constituents and its collection. Lengths are twips. The user-interface thread
// only.

#include <memory>
#include <optional>

#include "controls/PopupMenu/col_popup_menu.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/menu.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class PopupMenu final : public ui::UserControlImpl<PopupMenu> {
 public:
  PopupMenu();

  // _PopupMenu in slot order (see identities.h for the dispatch ids).
  static const automation::Members<PopupMenu>& Interface();

  const std::shared_ptr<colPopupMenu>& MenuItems() const { return items_; }
  void SetMenuItems(std::shared_ptr<colPopupMenu> items) { items_ = std::move(items); }
  void ChangedMenuItems();
  // Shows the menu at (x, y), in twips of the control's container (a missing coordinate
  // is the mouse pointer's), with the popup_menu::* alignment and button; nothing shows
  // when no entry is visible. Returns the 1-based position of the entry chosen, or 0.
  Result<int> Popup(std::optional<int> x, std::optional<int> y, int align, int click_button);

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnPaint() override;
  void OnShow() override;

 private:
  void EntryChosen(int position);
  // The picture and the name are the design-time look: a running form shows neither.
  void ShowDesignLook();

  ui::Image* pic_ = nullptr;
  ui::Menu* menu_ = nullptr;
  std::shared_ptr<colPopupMenu> items_ = std::make_shared<colPopupMenu>();
};

}  // namespace feriant::lumatrel
