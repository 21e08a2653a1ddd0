#pragma once
// Test doubles for host object models: ScriptedObject, an automation object whose members
// are functions or stored values set by the test, reachable by dispatch id and by name,
// recording every call; and FakeOutlook, a calendar folder built from them whose new
// items can appear first and whose calls can be made to fail.

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"

namespace feriant::testing {

using automation::DispId;
using automation::InvokeKind;
using automation::NamedArg;
using automation::Variant;

class ScriptedObject final : public automation::Dispatch {
 public:
  using Member =
      std::function<Result<Variant>(InvokeKind, std::span<Variant>, std::span<const NamedArg>)>;
  static constexpr DispId kNextId = 0x7FFF0000;

  // Calls are logged as "<type>.<member>" into `log` when one is given.
  explicit ScriptedObject(std::string type, std::shared_ptr<std::vector<std::string>> log = {})
      : type_(std::move(type)), log_(std::move(log)) {}

  // Sets member `name` with dispatch id `id` (the next free one when not given); a member
  // of the same id is replaced.
  ScriptedObject& On(std::string name, Member member, DispId id = kNextId) {
    if (id == kNextId) id = next_id_++;
    std::erase_if(members_, [id](const Slot& s) { return s.id == id; });
    members_.push_back(Slot{std::move(name), id, std::move(member), {}});
    return *this;
  }
  // A property that reads its value and takes a put.
  ScriptedObject& Property(std::string name, Variant value, DispId id = kNextId) {
    On(std::move(name), {}, id);
    members_.back().value = std::move(value);
    return *this;
  }
  // The stored value of property `name`.
  Variant& Value(std::string_view name) { return Find(name)->value; }

  std::string TypeName() const override { return type_; }
  Result<DispId> GetIdOfName(std::string_view name) const override {
    for (const Slot& slot : members_) {
      if (automation::NamesEqual(slot.name, name)) return slot.id;
    }
    return automation::MakeError(automation::hresult::kUnknownName, std::string(name));
  }
  Result<Variant> Invoke(DispId id, InvokeKind kind, std::span<Variant> args,
                         std::span<const NamedArg> named) override {
    auto slot =
        std::find_if(members_.begin(), members_.end(), [id](const Slot& s) { return s.id == id; });
    if (slot == members_.end()) {
      return automation::MakeError(automation::hresult::kMemberNotFound, std::to_string(id));
    }
    if (log_) log_->push_back(type_ + "." + slot->name);
    if (slot->member) return slot->member(kind, args, named);
    if (kind == InvokeKind::kPropertyPut) {
      slot->value = args.back();
      return Variant();
    }
    return slot->value;
  }

 private:
  struct Slot {
    std::string name;
    DispId id;
    Member member;
    Variant value;
  };
  Slot* Find(std::string_view name) {
    for (Slot& slot : members_) {
      if (automation::NamesEqual(slot.name, name)) return &slot;
    }
    return nullptr;
  }

  std::string type_;
  std::shared_ptr<std::vector<std::string>> log_;
  std::vector<Slot> members_;
  DispId next_id_ = 1;
};

// A member that answers `value` whatever it is asked.
inline ScriptedObject::Member Answer(Variant value) {
  return [value](InvokeKind, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
    return value;
  };
}

// A member that fails.
inline ScriptedObject::Member Fail(std::string why) {
  return [why](InvokeKind, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
    return Error{automation::hresult::kFail, why, "test"};
  };
}

// An Outlook calendar of appointment items in memory: application, namespace, folder
// and items. A saved new item goes first or last as `new_items_first` says; `fail` may
// refuse an item's Save or Delete (it gets the member name and the item).
class FakeOutlook {
 public:
  using Item = std::shared_ptr<ScriptedObject>;

  bool new_items_first = false;
  std::function<bool(std::string_view member, ScriptedObject& item)> fail;
  std::vector<Item> items;  // the folder's order
  std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();

  FakeOutlook() {
    auto items_object = std::make_shared<ScriptedObject>("Items", log);
    items_object->On("Count", [this](InvokeKind, std::span<Variant>, std::span<const NamedArg>) {
      return Result<Variant>(Variant(static_cast<std::int32_t>(items.size())));
    });
    items_object->On(
        "Item",
        [this](InvokeKind, std::span<Variant> args, std::span<const NamedArg>) -> Result<Variant> {
          if (args.empty()) return automation::MakeError(automation::hresult::kParamNotOptional);
          auto index = args[0].ToI4();
          if (!index || *index < 1 || static_cast<size_t>(*index) > items.size()) {
            return automation::MakeError(automation::hresult::kBadIndex);
          }
          return Variant(items[static_cast<size_t>(*index) - 1]);
        },
        automation::kDispIdValue);
    items_object->On(
        "_NewEnum",
        [this](InvokeKind, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
          automation::VariantArray all(items.begin(), items.end());
          return Variant(std::move(all));
        },
        automation::kDispIdNewEnum);
    auto folder = std::make_shared<ScriptedObject>("Folder", log);
    folder->Property("Items", Variant(items_object)).On("SaveChanges", Answer(Variant()));
    auto name_space = std::make_shared<ScriptedObject>("Namespace", log);
    name_space->On("GetDefaultFolder", Answer(Variant(folder)));
    application = std::make_shared<ScriptedObject>("Application", log);
    application->On("GetNamespace", Answer(Variant(name_space)))
        .On("CreateItem", [this](InvokeKind, std::span<Variant>, std::span<const NamedArg>) {
          return Result<Variant>(Variant(NewItem()));
        });
  }

  // An appointment item that is not in the folder until it is saved.
  Item NewItem(std::int32_t item_class = 26) {
    auto item = std::make_shared<ScriptedObject>("Item", log);
    ScriptedObject* self = item.get();
    item->Property("Class", Variant(item_class))
        .Property("Subject", Variant(""))
        .Property("Start", Variant(automation::Date()))
        .Property("AllDayEvent", Variant(false))
        .Property("Duration", Variant(std::int32_t{30}))
        .Property("Location", Variant(""))
        .Property("Body", Variant(""))
        .Property("Categories", Variant(""))
        .Property("ReminderSet", Variant(true))
        .On("Save",
            [this, self](InvokeKind, std::span<Variant>,
                         std::span<const NamedArg>) -> Result<Variant> {
              if (fail && fail("Save", *self)) return Error{-1, "the item cannot be saved", "test"};
              if (Position(*self) == 0) {
                Item shared = std::static_pointer_cast<ScriptedObject>(self->shared_from_this());
                items.insert(new_items_first ? items.begin() : items.end(), shared);
              }
              return Variant();
            })
        .On("Delete",
            [this, self](InvokeKind, std::span<Variant>,
                         std::span<const NamedArg>) -> Result<Variant> {
              if (fail && fail("Delete", *self))
                return Error{-1, "the item cannot be deleted", "test"};
              if (const size_t at = Position(*self)) items.erase(items.begin() + (at - 1));
              return Variant();
            });
    return item;
  }

  // Puts a stored item at the end of the folder.
  Item Add(std::string subject, automation::Date start, bool all_day, std::string categories,
           std::string location = "") {
    Item item = NewItem();
    item->Value("Subject") = Variant(std::move(subject));
    item->Value("Start") = Variant(start);
    item->Value("AllDayEvent") = Variant(all_day);
    item->Value("Categories") = Variant(std::move(categories));
    item->Value("Location") = Variant(std::move(location));
    items.push_back(item);
    return item;
  }

  // 1-based position of `item` in the folder; 0 when it is not there.
  size_t Position(const ScriptedObject& item) const {
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].get() == &item) return i + 1;
    }
    return 0;
  }

  std::string Text(size_t position, std::string_view property) const {
    return items.at(position - 1)->Value(property).ToString().value_or("?");
  }

  std::shared_ptr<ScriptedObject> application;
};

}  // namespace feriant::testing
