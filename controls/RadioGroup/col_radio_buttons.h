#pragma once
// colRadioButtons and clsRadioButton: the button descriptions of a RadioGroup, a keyed
// collection (keyed_collection.h) of items with a Key, a Caption and an Enabled flag.
// Adding or removing an item, or changing an item's Caption or Enabled, rebuilds the
// option buttons of the group that owns the collection (the group that created it).
//
// The collection is persisted as a property bag nested in one key of its group:
// "Count" (always), then per item i = 1..Count "Key"i (always), "Caption"i (default "")
// and "Enabled"i (default true).
//
// The collection owns its items; an item refers to its collection weakly and the
// collection to its group through an OwnerRef. The user-interface thread only.

#include <memory>
#include <string>

#include "controls/support/keyed_collection.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class colRadioButtons;
class RadioGroup;

class clsRadioButton final : public automation::DispatchObject<clsRadioButton> {
 public:
  static const automation::Members<clsRadioButton>& Interface();
  std::string TypeName() const override { return "clsRadioButton"; }

  const std::string& Key() const { return key_; }
  void SetKey(std::string key) { key_ = std::move(key); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Nothing when the item belongs to no collection (or it is gone).
  std::shared_ptr<colRadioButtons> Collection() const { return collection_.lock(); }
  void SetCollection(const std::shared_ptr<colRadioButtons>& collection) {
    collection_ = collection;
  }

 private:
  void RebuildOwner() const;

  std::string key_;
  std::string caption_;
  bool enabled_ = true;
  std::weak_ptr<colRadioButtons> collection_;
};

class colRadioButtons final : public automation::DispatchObject<colRadioButtons> {
 public:
  colRadioButtons() = default;
  explicit colRadioButtons(OwnerRef<RadioGroup> owner) : owner_(std::move(owner)) {}

  static const automation::Members<colRadioButtons>& Interface();
  std::string TypeName() const override { return "colRadioButtons"; }

  // A new item, appended; the group is rebuilt.
  std::shared_ptr<clsRadioButton> Add(std::string key, std::string caption, bool enabled = true);
  KeyedItems<clsRadioButton>& Items() { return items_; }
  const KeyedItems<clsRadioButton>& Items() const { return items_; }
  // After an item was removed: the group is rebuilt.
  void ItemsRemoved() const { RebuildOwner(); }
  // The owning group's option buttons follow the items again (nothing without a group).
  void RebuildOwner() const;

  // The nested bag, and the items from one (all replaced; items without a stored key are
  // left out).
  ui::PropertyBag Save() const;
  void Load(ui::PropertyBag& bag);

 private:
  KeyedItems<clsRadioButton> items_;
  OwnerRef<RadioGroup> owner_;
};

}  // namespace feriant::lumatrel
