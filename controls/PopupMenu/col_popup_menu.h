#pragma once
// colPopupMenu and clsPopupMenuItem: the entries of a PopupMenu, a keyed collection
// (keyed_collection.h) of plain records (Caption with its "&" access key, "-" for a
// separator; Key; Checked, Visible, Enabled). Nothing follows their changes: the menu is
// built afresh from them whenever it pops up.
//
// The collection is persisted as a property bag nested in one key of its control:
// "Count", then per entry i = 1..Count "Key"i and "Caption"i (always), "Visible"i and
// "Enabled"i (default true) and "Checked"i (default false).
//
// The collection owns its entries. The user-interface thread only.

#include <memory>
#include <string>

#include "controls/support/keyed_collection.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class clsPopupMenuItem final : public automation::DispatchObject<clsPopupMenuItem> {
 public:
  static const automation::Members<clsPopupMenuItem>& Interface();
  std::string TypeName() const override { return "clsPopupMenuItem"; }
  const std::string& Key() const { return key; }

  std::string caption;
  std::string key;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
};

class colPopupMenu final : public automation::DispatchObject<colPopupMenu> {
 public:
  static const automation::Members<colPopupMenu>& Interface();
  std::string TypeName() const override { return "colPopupMenu"; }

  std::shared_ptr<clsPopupMenuItem> Add(std::string key, std::string caption);
  KeyedItems<clsPopupMenuItem>& Items() { return items_; }
  const KeyedItems<clsPopupMenuItem>& Items() const { return items_; }
  void ItemsRemoved() const {}

  ui::PropertyBag Save() const;
  // All entries replaced by the stored ones (entries without a stored key are left out).
  void Load(ui::PropertyBag& bag);

 private:
  KeyedItems<clsPopupMenuItem> items_;
};

}  // namespace feriant::lumatrel
