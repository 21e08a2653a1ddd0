#include "hosts/office/command_bars.h"

#include <algorithm>
#include <utility>

#include "platform/ui/core/backend.h"

namespace feriant::office {
namespace {

using automation::ArgumentOf;
using automation::MakeError;
using automation::Members;
using automation::NamedArg;
using automation::Variant;
using automation::VariantArray;
namespace hresult = automation::hresult;
using Args = std::span<Variant>;
using Named = std::span<const NamedArg>;

constexpr std::string_view kSource = "Office";

Error OfficeError(std::string description) {
  return Error{hresult::kFail, std::move(description), std::string(kSource)};
}

// An optional argument: `fallback` when missing, else converted by `convert`.
template <class T, class Convert>
Result<T> Optional(const Variant& value, T fallback, Convert convert) {
  if (value.IsMissing() || value.IsEmpty()) return fallback;
  return convert(value);
}

Result<std::int32_t> OptionalI4(const Variant& value, std::int32_t fallback) {
  return Optional(value, fallback, [](const Variant& v) { return v.ToI4(); });
}
Result<bool> OptionalBool(const Variant& value, bool fallback) {
  return Optional(value, fallback, [](const Variant& v) { return v.ToBool(); });
}
Result<std::string> OptionalText(const Variant& value) {
  return Optional(value, std::string(), [](const Variant& v) { return v.ToString(); });
}

// The query of FindControl(Type, Id, Tag, Visible, ...) from its arguments.
Result<ControlQuery> QueryOf(Args args, Named named) {
  ControlQuery query;
  const Variant type = ArgumentOf(args, named, "Type", 0);
  const Variant id = ArgumentOf(args, named, "Id", 1);
  const Variant tag = ArgumentOf(args, named, "Tag", 2);
  const Variant visible = ArgumentOf(args, named, "Visible", 3);
  if (!type.IsMissing() && !type.IsEmpty()) {
    Result<std::int32_t> value = type.ToI4();
    if (!value) return value.error();
    query.type = *value;
  }
  if (!id.IsMissing() && !id.IsEmpty()) {
    Result<std::int32_t> value = id.ToI4();
    if (!value) return value.error();
    query.id = *value;
  }
  if (!tag.IsMissing() && !tag.IsEmpty()) {
    Result<std::string> value = tag.ToString();
    if (!value) return value.error();
    query.tag = *value;
  }
  Result<bool> visible_only = OptionalBool(visible, false);
  if (!visible_only) return visible_only.error();
  query.visible_only = *visible_only;
  return query;
}

bool Matches(const CommandBarControl& control, const ControlQuery& query) {
  if (query.type && control.type() != *query.type) return false;
  if (query.id && control.id() != *query.id) return false;
  if (query.tag && control.tag() != *query.tag) return false;
  if (query.visible_only && !control.visible()) return false;
  return true;
}

Variant Found(std::shared_ptr<CommandBarControl> control) {
  if (!control) return Variant(automation::ObjectRef());
  return Variant(std::move(control));
}

// A 1-based position or a name in a list of `size` elements.
template <class Element, class NameOf>
Result<Variant> ItemOf(const std::vector<std::shared_ptr<Element>>& list, const Variant& index,
                       NameOf name_of) {
  if (index.IsMissing()) return MakeError(hresult::kParamNotOptional, "Index");
  if (const std::string* name = index.AsString()) {
    const std::string wanted = StripAccessKey(*name);
    for (const auto& element : list) {
      if (automation::NamesEqual(StripAccessKey(name_of(*element)), wanted)) {
        return Variant(element);
      }
    }
    return MakeError(hresult::kInvalidArg, "no element is named \"" + *name + "\"");
  }
  Result<std::int32_t> position = index.ToI4();
  if (!position) return position.error();
  if (*position < 1 || *position > static_cast<std::int32_t>(list.size())) {
    return MakeError(hresult::kInvalidArg, "index out of range");
  }
  return Variant(list[static_cast<size_t>(*position - 1)]);
}

template <class Element>
VariantArray ArrayOf(const std::vector<std::shared_ptr<Element>>& list) {
  VariantArray elements;
  for (const auto& element : list)
    elements.push_back(Variant(element));
  return elements;
}

std::shared_ptr<ui::StdPicture> CopyOf(const std::shared_ptr<ui::StdPicture>& picture) {
  return picture ? picture->Clone() : ui::StdPicture::Empty();
}

// The Controls collection of a bar: a view that answers from the bar itself.
class CommandBarControls final : public automation::DispatchObject<CommandBarControls> {
 public:
  explicit CommandBarControls(std::shared_ptr<CommandBar> bar) : bar_(std::move(bar)) {}
  static const Members<CommandBarControls>& Interface();
  std::string TypeName() const override { return "CommandBarControls"; }
  CommandBar& bar() { return *bar_; }

 private:
  std::shared_ptr<CommandBar> bar_;
};

const Members<CommandBarControls>& CommandBarControls::Interface() {
  namespace id = dispid::controls;
  static const Members<CommandBarControls> members = [] {
    Members<CommandBarControls> m;
    m.Get("Item", id::kItem,
          [](CommandBarControls& self, Args args) -> Result<Variant> {
            if (self.bar().deleted()) return OfficeError("the command bar was deleted");
            return ItemOf(self.bar().controls(), args.empty() ? Variant::Missing() : args[0],
                          [](const CommandBarControl& c) { return c.caption(); });
          })
        .Get("Count", id::kCount,
             [](CommandBarControls& self, Args) -> Result<Variant> {
               return Variant(static_cast<std::int32_t>(self.bar().controls().size()));
             })
        .Method(
            "Add", id::kAdd,
            [](CommandBarControls& self, Args args, Named named) -> Result<Variant> {
              Result<std::int32_t> type =
                  OptionalI4(ArgumentOf(args, named, "Type", 0), kControlButton);
              Result<std::int32_t> id =
                  OptionalI4(ArgumentOf(args, named, "Id", 1), kCustomControlId);
              Result<std::string> parameter = OptionalText(ArgumentOf(args, named, "Parameter", 2));
              Result<std::int32_t> before = OptionalI4(ArgumentOf(args, named, "Before", 3), 0);
              Result<bool> temporary = OptionalBool(ArgumentOf(args, named, "Temporary", 4), false);
              if (!type) return type.error();
              if (!id) return id.error();
              if (!parameter) return parameter.error();
              if (!before) return before.error();
              if (!temporary) return temporary.error();
              auto control = self.bar().AddControl(*type, *id, *parameter, *before, *temporary);
              if (!control) return control.error();
              return Variant(*control);
            })
        .Get("_NewEnum", id::kNewEnum, [](CommandBarControls& self, Args) -> Result<Variant> {
          return Variant(ArrayOf(self.bar().controls()));
        });
    return m;
  }();
  return members;
}

}  // namespace

std::string StripAccessKey(std::string_view caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        plain += '&';
        ++i;
      }
      continue;
    }
    plain += caption[i];
  }
  return plain;
}

namespace detail {

void Notifier::Add(CommandBarsObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void Notifier::Remove(CommandBarsObserver* observer) {
  std::erase(observers_, observer);
}

void Notifier::Notify(const CommandBarsChange& change) const {
  const auto observers = observers_;  // an observer may remove itself
  for (CommandBarsObserver* observer : observers)
    observer->OnCommandBarsChanged(change);
}

}  // namespace detail

// ---- CommandBarControl ----

CommandBarControl::CommandBarControl(std::shared_ptr<detail::Notifier> notifier, std::int32_t type,
                                     std::int32_t id, bool temporary)
    : notifier_(std::move(notifier)), type_(type), id_(id), temporary_(temporary) {
  if (type_ == kControlPopup) {
    popup_bar_ = std::make_shared<CommandBar>(notifier_, std::string(), kBarPopup,
                                              /*built_in=*/false, temporary);
  }
}

std::string CommandBarControl::TypeName() const {
  return type_ == kControlPopup ? "CommandBarPopup" : "CommandBarButton";
}

automation::EventSource* CommandBarControl::FindConnectionPoint(
    const automation::Guid& event_interface) {
  return event_interface == kControlEventsId ? &events_ : nullptr;
}

std::int32_t CommandBarControl::Index() const {
  const std::shared_ptr<CommandBar> bar = parent();
  if (!bar) return 0;
  const auto& list = bar->controls();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].get() == this) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

void CommandBarControl::Changed() {
  const std::shared_ptr<CommandBar> bar = parent();
  if (!bar || deleted_) return;
  notifier_->Notify({CommandBarsChange::Kind::kControlChanged, bar.get(), this});
}

Status CommandBarControl::CheckAlive() const {
  if (deleted_) return OfficeError("the control was deleted");
  return Ok();
}

void CommandBarControl::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (popup_bar_) popup_bar_->name_ = StripAccessKey(caption_);
  Changed();
}

void CommandBarControl::SetTag(std::string tag) {
  tag_ = std::move(tag);
  Changed();
}

void CommandBarControl::SetParameter(std::string parameter) {
  parameter_ = std::move(parameter);
  Changed();
}

void CommandBarControl::SetOnAction(std::string action) {
  on_action_ = std::move(action);
  Changed();
}

Status CommandBarControl::SetStyle(std::int32_t style) {
  if (style < kStyleAutomatic || style > kStyleIconAndCaption) {
    return MakeError(hresult::kInvalidArg, "a style from 0 to 3 is needed");
  }
  style_ = style;
  Changed();
  return Ok();
}

void CommandBarControl::SetBeginGroup(bool begin_group) {
  begin_group_ = begin_group;
  Changed();
}

void CommandBarControl::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void CommandBarControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void CommandBarControl::SetPicture(const std::shared_ptr<ui::StdPicture>& picture) {
  picture_ = CopyOf(picture);
  Changed();
}

void CommandBarControl::SetMask(const std::shared_ptr<ui::StdPicture>& mask) {
  mask_ = CopyOf(mask);
  Changed();
}

Status CommandBarControl::PasteFace() {
  const std::shared_ptr<ui::StdPicture> pasted = ui::CurrentBackend().ClipboardPicture();
  if (!pasted || pasted->IsEmpty()) return OfficeError("the clipboard holds no picture");
  picture_ = pasted->Clone();
  mask_ = ui::StdPicture::Empty();
  Changed();
  return Ok();
}

Status CommandBarControl::Delete() {
  if (Status alive = CheckAlive(); !alive) return alive;
  const std::shared_ptr<CommandBar> bar = parent();
  if (bar) bar->RemoveControl(*this);
  return Ok();
}

bool CommandBarControl::Click() {
  if (deleted_ || !enabled_) return false;
  // Keep this control alive while sinks run: one may delete it.
  const auto self = shared_from_this();
  std::vector<Variant> args{Variant(self), Variant(false)};
  events_.Raise(dispid::event::kClick, args);
  return args[1].ToBool().value_or(false);
}

const Members<CommandBarControl>& CommandBarControl::Interface() {
  namespace id = dispid::control;
  using Self = CommandBarControl;
  static const Members<Self> members = [] {
    Members<Self> m;
    // A text property: get and put, refused on a deleted control.
    auto text = [&m](std::string name, automation::DispId dispid,
                     const std::string& (Self::*get)() const, void (Self::*set)(std::string)) {
      m.Get(name, dispid, [get](Self& self, Args) -> Result<Variant> {
         if (Status alive = self.CheckAlive(); !alive) return alive.error();
         return Variant((self.*get)());
       }).Put(name, dispid, [set](Self& self, Args args) -> Status {
        if (Status alive = self.CheckAlive(); !alive) return alive;
        Result<std::string> value = args.back().ToString();
        if (!value) return value.error();
        (self.*set)(std::move(*value));
        return Ok();
      });
    };
    auto flag = [&m](std::string name, automation::DispId dispid, bool (Self::*get)() const,
                     void (Self::*set)(bool)) {
      m.Get(name, dispid, [get](Self& self, Args) -> Result<Variant> {
         if (Status alive = self.CheckAlive(); !alive) return alive.error();
         return Variant((self.*get)());
       }).Put(name, dispid, [set](Self& self, Args args) -> Status {
        if (Status alive = self.CheckAlive(); !alive) return alive;
        Result<bool> value = args.back().ToBool();
        if (!value) return value.error();
        (self.*set)(*value);
        return Ok();
      });
    };
    auto picture = [&m](std::string name, automation::DispId dispid,
                        const std::shared_ptr<ui::StdPicture>& (Self::*get)() const,
                        void (Self::*set)(const std::shared_ptr<ui::StdPicture>&)) {
      auto put = [set](Self& self, Args args) -> Status {
        if (Status alive = self.CheckAlive(); !alive) return alive;
        const Variant& value = args.back();
        std::shared_ptr<ui::StdPicture> pic = ui::PictureOf(value);
        if (!pic && value.AsObject()) return MakeError(hresult::kTypeMismatch, "a picture");
        (self.*set)(pic);
        return Ok();
      };
      m.Get(name, dispid,
            [get](Self& self, Args) -> Result<Variant> {
              if (Status alive = self.CheckAlive(); !alive) return alive.error();
              return Variant((self.*get)());
            })
          .Put(name, dispid, put)
          .PutRef(name, dispid, put);
    };
    text("Caption", id::kCaption, &Self::caption, &Self::SetCaption);
    text("Tag", id::kTag, &Self::tag, &Self::SetTag);
    text("Parameter", id::kParameter, &Self::parameter, &Self::SetParameter);
    m.Get("Style", id::kStyle, [](Self& self, Args) -> Result<Variant> {
       if (Status alive = self.CheckAlive(); !alive) return alive.error();
       return Variant(self.style());
     }).Put("Style", id::kStyle, [](Self& self, Args args) -> Status {
      if (Status alive = self.CheckAlive(); !alive) return alive;
      Result<std::int32_t> value = args.back().ToI4();
      if (!value) return value.error();
      return self.SetStyle(*value);
    });
    text("OnAction", id::kOnAction, &Self::on_action, &Self::SetOnAction);
    flag("BeginGroup", id::kBeginGroup, &Self::begin_group, &Self::SetBeginGroup);
    picture("Picture", id::kPicture, &Self::picture, &Self::SetPicture);
    picture("Mask", id::kMask, &Self::mask, &Self::SetMask);
    m.Method("PasteFace", id::kPasteFace, [](Self& self, Args, Named) -> Result<Variant> {
      if (Status alive = self.CheckAlive(); !alive) return alive.error();
      if (Status pasted = self.PasteFace(); !pasted) return pasted.error();
      return Variant();
    });
    m.Get("Id", id::kId,
          [](Self& self, Args) -> Result<Variant> {
            if (Status alive = self.CheckAlive(); !alive) return alive.error();
            return Variant(self.id());
          })
        .Get("Index", id::kIndex,
             [](Self& self, Args) -> Result<Variant> {
               if (Status alive = self.CheckAlive(); !alive) return alive.error();
               return Variant(self.Index());
             })
        .Method("Delete", id::kDelete,
                [](Self& self, Args, Named) -> Result<Variant> {
                  if (Status deleted = self.Delete(); !deleted) return deleted.error();
                  return Variant();
                })
        .Get("Type", id::kType, [](Self& self, Args) -> Result<Variant> {
          if (Status alive = self.CheckAlive(); !alive) return alive.error();
          return Variant(self.type());
        });
    flag("Visible", id::kVisible, &Self::visible, &Self::SetVisible);
    flag("Enabled", id::kEnabled, &Self::enabled, &Self::SetEnabled);
    m.Get("Controls", id::kControls,
          [](Self& self, Args) -> Result<Variant> {
            if (Status alive = self.CheckAlive(); !alive) return alive.error();
            if (!self.popup_bar()) return MakeError(hresult::kMemberNotFound, "Controls");
            return Variant(std::make_shared<CommandBarControls>(self.popup_bar()));
          })
        .Method("Execute", id::kExecute,
                [](Self& self, Args, Named) -> Result<Variant> {
                  if (Status alive = self.CheckAlive(); !alive) return alive.error();
                  self.Click();
                  return Variant();
                })
        .Get("Parent", id::kParent, [](Self& self, Args) -> Result<Variant> {
          if (Status alive = self.CheckAlive(); !alive) return alive.error();
          return Variant(automation::ObjectRef(self.parent()));
        });
    return m;
  }();
  return members;
}

// ---- CommandBar ----

CommandBar::CommandBar(std::shared_ptr<detail::Notifier> notifier, std::string name,
                       std::int32_t position, bool built_in, bool temporary)
    : notifier_(std::move(notifier)),
      name_(std::move(name)),
      position_(position),
      built_in_(built_in),
      temporary_(temporary) {}

Status CommandBar::CheckAlive() const {
  if (deleted_) return OfficeError("the command bar was deleted");
  return Ok();
}

void CommandBar::SetName(std::string name) {
  name_ = std::move(name);
  if (!deleted_) notifier_->Notify({CommandBarsChange::Kind::kBarChanged, this, nullptr});
}

void CommandBar::SetVisible(bool visible) {
  visible_ = visible;
  if (!deleted_) notifier_->Notify({CommandBarsChange::Kind::kBarChanged, this, nullptr});
}

Result<std::shared_ptr<CommandBarControl>> CommandBar::AddControl(std::int32_t type,
                                                                  std::int32_t id,
                                                                  std::string parameter,
                                                                  std::int32_t before,
                                                                  bool temporary) {
  if (Status alive = CheckAlive(); !alive) return alive.error();
  if (type != kControlButton && type != kControlPopup) {
    return MakeError(hresult::kInvalidArg, "only buttons and pop-ups can be added");
  }
  auto control = std::make_shared<CommandBarControl>(notifier_, type, id, temporary);
  control->parent_ = std::static_pointer_cast<CommandBar>(shared_from_this());
  control->parameter_ = std::move(parameter);
  size_t at = controls_.size();
  if (before >= 1 && static_cast<size_t>(before) <= controls_.size()) {
    at = static_cast<size_t>(before - 1);
  }
  controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(at), control);
  notifier_->Notify({CommandBarsChange::Kind::kControlAdded, this, control.get()});
  return control;
}

std::shared_ptr<CommandBarControl> CommandBar::FindControl(const ControlQuery& query,
                                                           bool recursive) const {
  for (const auto& control : controls_) {
    if (Matches(*control, query)) return control;
    if (recursive && control->popup_bar()) {
      if (auto found = control->popup_bar()->FindControl(query, true)) return found;
    }
  }
  return nullptr;
}

void CommandBar::RemoveControl(const CommandBarControl& control) {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [&](const auto& c) { return c.get() == &control; });
  if (it == controls_.end()) return;
  const std::shared_ptr<CommandBarControl> removed = *it;  // alive through the notice
  controls_.erase(it);
  removed->deleted_ = true;
  removed->parent_.reset();
  if (removed->popup_bar_) removed->popup_bar_->MarkDeleted();
  notifier_->Notify({CommandBarsChange::Kind::kControlRemoved, this, removed.get()});
}

void CommandBar::MarkDeleted() {
  deleted_ = true;
  for (const auto& control : controls_) {
    control->deleted_ = true;
    if (control->popup_bar_) control->popup_bar_->MarkDeleted();
  }
}

void CommandBar::DiscardTemporaryControls() {
  std::vector<const CommandBarControl*> temporary;
  for (const auto& control : controls_) {
    if (control->temporary()) {
      temporary.push_back(control.get());
    } else if (control->popup_bar()) {
      control->popup_bar()->DiscardTemporaryControls();
    }
  }
  for (const CommandBarControl* control : temporary)
    RemoveControl(*control);
}

Status CommandBar::Delete() {
  if (Status alive = CheckAlive(); !alive) return alive;
  const std::shared_ptr<CommandBars> owner = owner_.lock();
  if (built_in_ || !owner) {
    return OfficeError("a built-in command bar or a pop-up menu cannot be deleted");
  }
  owner->RemoveBar(*this);
  return Ok();
}

const Members<CommandBar>& CommandBar::Interface() {
  namespace id = dispid::bar;
  static const Members<CommandBar> members = [] {
    Members<CommandBar> m;
    m.Get("Name", id::kName,
          [](CommandBar& self, Args) -> Result<Variant> {
            if (Status alive = self.CheckAlive(); !alive) return alive.error();
            return Variant(self.name());
          })
        .Put("Name", id::kName,
             [](CommandBar& self, Args args) -> Status {
               if (Status alive = self.CheckAlive(); !alive) return alive;
               Result<std::string> name = args.back().ToString();
               if (!name) return name.error();
               self.SetName(std::move(*name));
               return Ok();
             })
        .Get("Visible", id::kVisible,
             [](CommandBar& self, Args) -> Result<Variant> {
               if (Status alive = self.CheckAlive(); !alive) return alive.error();
               return Variant(self.visible());
             })
        .Put("Visible", id::kVisible,
             [](CommandBar& self, Args args) -> Status {
               if (Status alive = self.CheckAlive(); !alive) return alive;
               Result<bool> visible = args.back().ToBool();
               if (!visible) return visible.error();
               self.SetVisible(*visible);
               return Ok();
             })
        .Get("Controls", id::kControls,
             [](CommandBar& self, Args) -> Result<Variant> {
               if (Status alive = self.CheckAlive(); !alive) return alive.error();
               return Variant(std::make_shared<CommandBarControls>(
                   std::static_pointer_cast<CommandBar>(self.shared_from_this())));
             })
        .Method("Delete", id::kDelete,
                [](CommandBar& self, Args, Named) -> Result<Variant> {
                  if (Status deleted = self.Delete(); !deleted) return deleted.error();
                  return Variant();
                })
        .Method("FindControl", id::kFindControl,
                [](CommandBar& self, Args args, Named named) -> Result<Variant> {
                  if (Status alive = self.CheckAlive(); !alive) return alive.error();
                  Result<ControlQuery> query = QueryOf(args, named);
                  if (!query) return query.error();
                  Result<bool> recursive =
                      OptionalBool(ArgumentOf(args, named, "Recursive", 4), false);
                  if (!recursive) return recursive.error();
                  return Found(self.FindControl(*query, *recursive));
                })
        .Get("Position", id::kPosition,
             [](CommandBar& self, Args) -> Result<Variant> {
               if (Status alive = self.CheckAlive(); !alive) return alive.error();
               return Variant(self.position());
             })
        .Get("BuiltIn", id::kBuiltIn,
             [](CommandBar& self, Args) -> Result<Variant> {
               if (Status alive = self.CheckAlive(); !alive) return alive.error();
               return Variant(self.built_in());
             })
        .Get("Index", id::kIndex, [](CommandBar& self, Args) -> Result<Variant> {
          if (Status alive = self.CheckAlive(); !alive) return alive.error();
          const std::shared_ptr<CommandBars> owner = self.owner_.lock();
          if (!owner) return MakeError(hresult::kMemberNotFound, "Index");
          const auto& bars = owner->bars();
          for (size_t i = 0; i < bars.size(); ++i) {
            if (bars[i].get() == &self) return Variant(static_cast<std::int32_t>(i + 1));
          }
          return MakeError(hresult::kMemberNotFound, "Index");
        });
    return m;
  }();
  return members;
}

// ---- CommandBars ----

std::shared_ptr<CommandBars> CommandBars::Create() {
  return std::shared_ptr<CommandBars>(new CommandBars());
}

std::shared_ptr<CommandBar> CommandBars::Find(std::string_view name) const {
  for (const auto& bar : bars_) {
    if (automation::NamesEqual(bar->name(), name)) return bar;
  }
  // Pop-up menus, depth first, bar by bar.
  const auto search = [name](const auto& self,
                             const CommandBar& bar) -> std::shared_ptr<CommandBar> {
    for (const auto& control : bar.controls()) {
      if (const auto& menu = control->popup_bar()) {
        if (automation::NamesEqual(menu->name(), name)) return menu;
        if (auto found = self(self, *menu)) return found;
      }
    }
    return nullptr;
  };
  for (const auto& bar : bars_) {
    if (auto found = search(search, *bar)) return found;
  }
  return nullptr;
}

Result<std::shared_ptr<CommandBar>> CommandBars::Add(std::string name, std::int32_t position,
                                                     bool menu_bar, bool temporary, bool built_in) {
  if (position < kBarLeft || position > kBarPopup) {
    return MakeError(hresult::kInvalidArg, "a position from 0 to 5 is needed");
  }
  if (name.empty()) name = "Custom " + std::to_string(bars_.size() + 1);
  if (std::any_of(bars_.begin(), bars_.end(),
                  [&](const auto& b) { return automation::NamesEqual(b->name(), name); })) {
    return OfficeError("a command bar named \"" + name + "\" exists already");
  }
  auto bar =
      std::make_shared<CommandBar>(notifier_, std::move(name), position, built_in, temporary);
  bar->owner_ = std::static_pointer_cast<CommandBars>(shared_from_this());
  bar->visible_ = menu_bar;
  if (menu_bar) menu_bar_ = bar;
  bars_.push_back(bar);
  notifier_->Notify({CommandBarsChange::Kind::kBarAdded, bar.get(), nullptr});
  return bar;
}

std::shared_ptr<CommandBar> CommandBars::MenuBar() const {
  return menu_bar_.lock();
}

std::shared_ptr<CommandBarControl> CommandBars::FindControl(const ControlQuery& query) const {
  for (const auto& bar : bars_) {
    if (auto found = bar->FindControl(query, true)) return found;
  }
  return nullptr;
}

void CommandBars::RemoveBar(const CommandBar& bar) {
  const auto it =
      std::find_if(bars_.begin(), bars_.end(), [&](const auto& b) { return b.get() == &bar; });
  if (it == bars_.end()) return;
  const std::shared_ptr<CommandBar> removed = *it;
  bars_.erase(it);
  removed->MarkDeleted();
  removed->owner_.reset();
  notifier_->Notify({CommandBarsChange::Kind::kBarRemoved, removed.get(), nullptr});
}

void CommandBars::DiscardTemporary() {
  std::vector<const CommandBar*> temporary;
  for (const auto& bar : bars_) {
    if (bar->temporary()) {
      temporary.push_back(bar.get());
    } else {
      bar->DiscardTemporaryControls();
    }
  }
  for (const CommandBar* bar : temporary)
    RemoveBar(*bar);
}

const Members<CommandBars>& CommandBars::Interface() {
  namespace id = dispid::bars;
  static const Members<CommandBars> members = [] {
    Members<CommandBars> m;
    m.Get("Item", id::kItem,
          [](CommandBars& self, Args args) -> Result<Variant> {
            const Variant index = args.empty() ? Variant::Missing() : args[0];
            if (const std::string* name = index.AsString()) {
              if (auto bar = self.Find(*name)) return Variant(bar);
              return MakeError(hresult::kInvalidArg, "no command bar is named \"" + *name + "\"");
            }
            return ItemOf(self.bars(), index, [](const CommandBar& b) { return b.name(); });
          })
        .Get("Count", id::kCount,
             [](CommandBars& self, Args) -> Result<Variant> {
               return Variant(static_cast<std::int32_t>(self.bars().size()));
             })
        .Method(
            "Add", id::kAdd,
            [](CommandBars& self, Args args, Named named) -> Result<Variant> {
              Result<std::string> name = OptionalText(ArgumentOf(args, named, "Name", 0));
              Result<std::int32_t> position =
                  OptionalI4(ArgumentOf(args, named, "Position", 1), kBarTop);
              Result<bool> menu_bar = OptionalBool(ArgumentOf(args, named, "MenuBar", 2), false);
              Result<bool> temporary = OptionalBool(ArgumentOf(args, named, "Temporary", 3), false);
              if (!name) return name.error();
              if (!position) return position.error();
              if (!menu_bar) return menu_bar.error();
              if (!temporary) return temporary.error();
              auto bar = self.Add(std::move(*name), *position, *menu_bar, *temporary);
              if (!bar) return bar.error();
              return Variant(*bar);
            })
        .Method("FindControl", id::kFindControl,
                [](CommandBars& self, Args args, Named named) -> Result<Variant> {
                  Result<ControlQuery> query = QueryOf(args, named);
                  if (!query) return query.error();
                  return Found(self.FindControl(*query));
                })
        .Get("_NewEnum", id::kNewEnum, [](CommandBars& self, Args) -> Result<Variant> {
          return Variant(ArrayOf(self.bars()));
        });
    return m;
  }();
  return members;
}

}  // namespace feriant::office
