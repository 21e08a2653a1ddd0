#include "platform/ui/controls/up_down.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/base/text.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

UpDown::UpDown() : ControlImpl(/*windowed=*/true) {}

const Members<UpDown>& UpDown::Interface() {
  static const Members<UpDown> members = [] {
    Members<UpDown> m;
    using members::Getter;
    using members::Setter;
    using T = UpDown;
    using Args = std::span<Variant>;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue, Getter<T>(&T::Value))
        .Put("Value", dispid::kValue, Setter<T, int>(&T::SetValue))
        .Get("Min", dispid::kMin, Getter<T>(&T::Min))
        .Put("Min", dispid::kMin, Setter<T, int>(&T::SetMin))
        .Get("Max", dispid::kMax, Getter<T>(&T::Max))
        .Put("Max", dispid::kMax, Setter<T, int>(&T::SetMax))
        .Get("Increment", dispid::kIncrement, Getter<T>(&T::Increment))
        .Put("Increment", dispid::kIncrement, Setter<T, int>(&T::SetIncrement))
        .Get("Wrap", dispid::kWrap, Getter<T>(&T::Wrap))
        .Put("Wrap", dispid::kWrap, Setter<T, bool>(&T::SetWrap))
        .Get("SyncBuddy", dispid::kSyncBuddy, Getter<T>(&T::SyncBuddy))
        .Put("SyncBuddy", dispid::kSyncBuddy, Setter<T, bool>(&T::SetSyncBuddy))
        .Get("BuddyControl", dispid::kBuddyControl,
             [](T& u, Args) -> Result<Variant> {
               TextBox* buddy = u.Buddy();
               if (buddy == nullptr) return Variant(automation::ObjectRef());
               return Variant(buddy->weak_from_this().lock());
             })
        .PutRef("BuddyControl", dispid::kBuddyControl, [](T& u, Args a) -> Status {
          // A text box object, or the name of one on the same surface; Nothing unbinds.
          TextBox* buddy = nullptr;
          if (const std::string* name = a.back().AsString()) {
            if (u.Host() != nullptr) buddy = u.Host()->FindAs<TextBox>(*name);
          } else {
            auto object = a.back().ToObject();
            if (!object) return object.error();
            if (!*object) {
              u.SetBuddy(nullptr);
              return Ok();
            }
            buddy = dynamic_cast<TextBox*>(object->get());
          }
          if (buddy == nullptr)
            return MakeUiError(ui_error::kInvalidPropertyValue, "the buddy must be a text box");
          u.SetBuddy(buddy);
          return Ok();
        });
    return m;
  }();
  return members;
}

Status UpDown::SetValue(int value) {
  if (value < Low() || value > High())
    return MakeUiError(ui_error::kInvalidPropertyValue, "Value " + std::to_string(value));
  Store(value);
  return Ok();
}

void UpDown::SetMin(int value) {
  if (value == min_) return;
  const std::optional<std::int64_t> typed = Typed();  // read before the range moves
  min_ = value;
  NotifyChanged("Min");
  Settle(typed);
}

void UpDown::SetMax(int value) {
  if (value == max_) return;
  const std::optional<std::int64_t> typed = Typed();
  max_ = value;
  NotifyChanged("Max");
  Settle(typed);
}

Status UpDown::SetIncrement(int value) {
  if (value < 1) return MakeUiError(ui_error::kInvalidPropertyValue, "Increment");
  increment_ = value;
  return Ok();
}

void UpDown::SetSyncBuddy(bool value) {
  if (value == sync_buddy_) return;
  sync_buddy_ = value;
  WriteBuddy();
}

TextBox* UpDown::Buddy() const {
  return buddy_.expired() ? nullptr : buddy_address_;
}

void UpDown::SetBuddy(TextBox* buddy) {
  buddy_ = buddy != nullptr ? buddy->weak_from_this() : std::weak_ptr<automation::Dispatch>();
  buddy_address_ = buddy;
  WriteBuddy();
}

std::optional<std::int64_t> UpDown::Typed() const {
  TextBox* buddy = Buddy();
  if (buddy == nullptr || !sync_buddy_) return std::nullopt;
  // What the buddy shows may have blanks around it, as typed.
  return base::ParseWholeNumber(buddy->Text(), {.blanks_around = true});
}

void UpDown::Settle(std::optional<std::int64_t> typed) {
  auto keep = KeepAlive();
  const int settled =
      static_cast<int>(std::clamp<std::int64_t>(typed.value_or(value_), Low(), High()));
  if (settled != value_) {
    Store(settled);
  } else if (typed && *typed != settled) {
    WriteBuddy();  // what was typed lies beyond the new limit
  }
}

void UpDown::UserSpin(int direction) {
  if (direction == 0) return;
  auto keep = KeepAlive();
  const int current =
      static_cast<int>(std::clamp<std::int64_t>(Typed().value_or(value_), Low(), High()));
  // Up goes towards Max, wherever Max lies.
  const int sign = (direction > 0) == (max_ >= min_) ? 1 : -1;
  std::int64_t next = static_cast<std::int64_t>(current) + sign * std::int64_t{increment_};
  if (next > High()) next = wrap_ ? Low() : High();
  if (next < Low()) next = wrap_ ? High() : Low();
  (direction > 0 ? up_click_ : down_click_).Raise();
  if (static_cast<int>(next) == value_) {
    WriteBuddy();  // the buddy shows the value again, not what was typed beyond the limit
  } else {
    Store(static_cast<int>(next));
  }
}

void UpDown::Store(int value) {
  if (value == value_) return;
  value_ = value;
  NotifyChanged("Value");
  auto keep = KeepAlive();
  WriteBuddy();
  change_.Raise();
}

void UpDown::WriteBuddy() {
  TextBox* buddy = Buddy();
  if (buddy == nullptr || !sync_buddy_) return;
  buddy->SetText(std::to_string(value_));
}

}  // namespace feriant::ui
