#pragma once
// The keyed item collections of the library (colRadioButtons, colProgressTasks,
// colPopupMenu): an ordered list of item objects, positions 1-based, each item with a
// Key that need not be unique. Item and Remove take a position or a key: a string
// argument is a key and names the first item whose Key equals it exactly (Item answers
// Nothing and Remove does nothing when none does); any other argument is a position, and
// one outside the collection is an invalid procedure call.
//
// KeyedItems holds the items; AddKeyedMembers adds the members the collections share
// (Item, the default member; count; Remove; the hidden enumerator) to a collection's
// member table after its own Add. The collection owns its items; an item refers back to
// its collection weakly. The user-interface thread only.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "controls/support/identities.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/common/errors.h"

namespace feriant::lumatrel {

template <class Item>
class KeyedItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<std::shared_ptr<Item>>& All() const { return items_; }
  // nullptr outside 1..Count().
  std::shared_ptr<Item> At(int position) const {
    if (position < 1 || position > Count()) return nullptr;
    return items_[static_cast<size_t>(position - 1)];
  }
  // The 1-based position of `item`; 0 when it is not in the collection.
  int PositionOf(const Item& item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].get() == &item) return static_cast<int>(i) + 1;
    }
    return 0;
  }

  // The item an Item argument names; nullptr for a key that none has.
  Result<std::shared_ptr<Item>> Find(const automation::Variant& index_or_key) const {
    auto position = PositionFor(index_or_key);
    if (!position) return position.error();
    return At(*position);
  }
  // Removes the item a Remove argument names; false when a key named none.
  Result<bool> Remove(const automation::Variant& index_or_key) {
    auto position = PositionFor(index_or_key);
    if (!position) return position.error();
    if (*position == 0) return false;
    items_.erase(items_.begin() + (*position - 1));
    return true;
  }

  void Append(std::shared_ptr<Item> item) { items_.push_back(std::move(item)); }
  void Clear() { items_.clear(); }

 private:
  // 1..Count() for a valid position or a key found, 0 for a key not found.
  Result<int> PositionFor(const automation::Variant& index_or_key) const {
    if (const std::string* key = index_or_key.AsString()) {
      auto found = std::find_if(items_.begin(), items_.end(),
                                [key](const auto& item) { return item->Key() == *key; });
      return found == items_.end() ? 0 : static_cast<int>(found - items_.begin()) + 1;
    }
    auto position = index_or_key.ToI4();
    if (!position || *position < 1 || *position > Count())
      return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall, "no such item");
    return static_cast<int>(*position);
  }

  std::vector<std::shared_ptr<Item>> items_;
};

// A collection's reference back to the control that owns it, valid from the control's
// constructor on and answering nullptr once the control is gone (a form may keep the
// collection longer than the control). The control holds the anchor.
template <class Owner>
class OwnerRef {
 public:
  OwnerRef() = default;
  Owner* Get() const {
    auto cell = cell_.lock();
    return cell ? *cell : nullptr;
  }

 private:
  template <class>
  friend class OwnerAnchor;
  explicit OwnerRef(std::weak_ptr<Owner* const> cell) : cell_(std::move(cell)) {}
  std::weak_ptr<Owner* const> cell_;
};

template <class Owner>
class OwnerAnchor {
 public:
  explicit OwnerAnchor(Owner* owner) : cell_(std::make_shared<Owner* const>(owner)) {}
  OwnerAnchor(const OwnerAnchor&) = delete;
  OwnerAnchor& operator=(const OwnerAnchor&) = delete;
  OwnerRef<Owner> Ref() const { return OwnerRef<Owner>(cell_); }

 private:
  std::shared_ptr<Owner* const> cell_;
};

// The Collection member of an item (get, put by reference), library-internal: a
// `Collection` or Nothing; any other object is an invalid property value.
template <class Item, class Collection>
void AddCollectionMember(automation::Members<Item>& m, automation::DispId id) {
  using automation::Variant;
  m.Get("Collection", id, [](Item& item, std::span<Variant>) -> Result<Variant> {
     return Variant(automation::ObjectRef(item.Collection()));
   }).PutRef("Collection", id, [](Item& item, std::span<Variant> a) -> Status {
    auto object = a.back().ToObject();
    if (!object) return object.error();
    auto collection = std::dynamic_pointer_cast<Collection>(*object);
    if (*object && !collection)
      return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, "Collection");
    item.SetCollection(collection);
    return Ok();
  });
}

// Item, count, Remove and NewEnum of `Collection`, which has Items() (its KeyedItems) and
// ItemsRemoved() (what a removal sets off in its owner).
template <class Collection>
void AddKeyedMembers(automation::Members<Collection>& m) {
  using automation::Variant;
  using Args = std::span<Variant>;
  using Named = std::span<const automation::NamedArg>;
  namespace ids = keyed_collection::dispid;
  m.Get("Item", ids::kItem,
        [](Collection& c, Args args) -> Result<Variant> {
          if (args.empty()) return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall, "Item");
          auto item = c.Items().Find(args[0]);
          if (!item) return item.error();
          return Variant(automation::ObjectRef(*item));
        })
      .Get("count", ids::kCount,
           [](Collection& c, Args) -> Result<Variant> {
             return Variant(static_cast<std::int32_t>(c.Items().Count()));
           })
      .Method("Remove", ids::kRemove,
              [](Collection& c, Args args, Named named) -> Result<Variant> {
                // Positional, or the one named argument (its name differs by collection).
                const Variant which = !args.empty()    ? args[0]
                                      : !named.empty() ? named[0].value
                                                       : Variant::Missing();
                auto removed = c.Items().Remove(which);
                if (!removed) return removed.error();
                if (*removed) c.ItemsRemoved();
                return Variant();
              })
      .Get("NewEnum", ids::kNewEnum, [](Collection& c, Args) -> Result<Variant> {
        automation::VariantArray all;
        for (const auto& item : c.Items().All())
          all.push_back(Variant(automation::ObjectRef(item)));
        return Variant(std::move(all));
      });
}

}  // namespace feriant::lumatrel
