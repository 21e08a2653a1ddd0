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

class ClsPopupMenuItem final : public automation::DispatchObject<ClsPopupMenuItem> {
 public:
  static const automation::Members<ClsPopupMenuItem>& Interface();
  std::string TypeName() const override { return "clsPopupMenuItem"; }
  const std::string& Key() const { return key; }

  std::string caption;
  std::string key;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
};

class ColPopupMenu final : public automation::DispatchObject<ColPopupMenu> {
 public:
  static const automation::Members<ColPopupMenu>& Interface();
  std::string TypeName() const override { return "colPopupMenu"; }

  std::shared_ptr<ClsPopupMenuItem> Add(std::string key, std::string caption);
  KeyedItems<ClsPopupMenuItem>& Items() { return items_; }
  const KeyedItems<ClsPopupMenuItem>& Items() const { return items_; }
  void ItemsRemoved() const {}

  ui::PropertyBag Save() const;
  // All entries replaced by the stored ones (entries without a stored key are left out).
  void Load(ui::PropertyBag& bag);

 private:
  KeyedItems<ClsPopupMenuItem> items_;
};

}  // namespace feriant::lumatrel
