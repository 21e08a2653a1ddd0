#include "controls/RadioGroup/radio_group.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>

#include "controls/support/errors.h"
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
namespace ids = radio_group::dispid;

// Geometry, twips.
constexpr int kWidth = 4800;
constexpr int kHeight = 3600;
constexpr int kSpreadMargin = 200;  // of the control's height, not shared out
constexpr int kSpreadOffset = 150;  // from the control's top to the first share
constexpr char kOptions[] = "opt";

}  // namespace

RadioGroup::RadioGroup()
    : UserControlImpl("RadioGroup", radio_group::kClassId, radio_group::kEventInterfaceId),
      buttons_(std::make_shared<colRadioButtons>(anchor_.Ref())) {
  SetInitialSize(kWidth, kHeight);
  frame_ = &Add<ui::Frame>("fra");
  (void)frame_->Move(0, 0, 4755, 2955);
  ui::OptionButton& first = Add<ui::OptionButton>(kOptions, 0);
  (void)first.SetContainer(frame_);
  (void)first.Move(180, 300, 3495, 195);
  first.Click().Connect([this] { OptionClicked(0); });
}

const automation::Members<RadioGroup>& RadioGroup::Interface() {
  static const automation::Members<RadioGroup> members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    using T = RadioGroup;
    automation::Members<T> m;
    m.Get("Caption", ids::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", ids::kCaption, Setter<T, std::string>(&T::SetCaption))
        .Get("RadioButtons", ids::kRadioButtons, Getter<T>(&T::RadioButtons))
        .PutRef("RadioButtons", ids::kRadioButtons,
                [](T& self, Args a) -> Status {
                  auto buttons = std::dynamic_pointer_cast<colRadioButtons>(a.back().AsObject());
                  if (!buttons)
                    return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, "RadioButtons");
                  self.SetRadioButtons(std::move(buttons));
                  return Ok();
                })
        .Get("ActiveButton", ids::kActiveButton,
             [](T& self, Args) -> Result<Variant> {
               return Variant(automation::ObjectRef(self.ActiveButton()));
             })
        .Put("SelectedIndex", ids::kSelectedIndex, Setter<T, int>(&T::SetSelectedIndex))
        .Get("SelectedIndex", ids::kSelectedIndex, Getter<T>(&T::SelectedIndex))
        .Method("ChangedTasks", ids::kChangedTasks,
                [](T& self, Args, Named) -> Result<Variant> {
                  self.ChangedTasks();
                  return Variant();
                })
        .Get("Font", ids::kFont, Getter<T>(&T::OptionFont))
        .PutRef("Font", ids::kFont,
                Setter<T, std::shared_ptr<ui::StdFont>>(
                    [](T& self, std::shared_ptr<ui::StdFont> font) { self.SetOptionFont(font); }));
    return m;
  }();
  return members;
}

void RadioGroup::SetCaption(std::string caption) {
  frame_->SetCaption(std::move(caption));
  PropertyChanged("Caption");
}

void RadioGroup::SetRadioButtons(std::shared_ptr<colRadioButtons> buttons) {
  buttons_ = std::move(buttons);
}

std::shared_ptr<clsRadioButton> RadioGroup::ActiveButton() const {
  return selected_index_ == -1 ? nullptr : buttons_->Items().At(selected_index_);
}

void RadioGroup::SetSelectedIndex(int index) {
  rebuilding_ = true;
  selected_index_ = index;
  if (index == -1) {
    // Choosing and clearing the first option leaves none of the group chosen.
    Option(0)->SetValue(true);
    Option(0)->SetValue(false);
  } else if (ui::OptionButton* option = Option(index - 1)) {
    option->SetValue(true);
  }
  rebuilding_ = false;
}

void RadioGroup::ChangedTasks() {
  PropertyChanged("RadioButtons");
}

std::shared_ptr<ui::StdFont> RadioGroup::OptionFont() const {
  return CopyOfFont(*Option(0)->Font());
}

void RadioGroup::SetOptionFont(const std::shared_ptr<ui::StdFont>& font) {
  frame_->SetFont(font);
  for (int k = 0; ui::OptionButton* option = Option(k); ++k)
    option->SetFont(CopyOfFont(*font));
  PropertyChanged("Font");
}

int RadioGroup::OptionCount() const {
  int count = 0;
  while (Option(count) != nullptr)
    ++count;
  return count;
}

ui::OptionButton* RadioGroup::Option(int index) const {
  return index < 0 ? nullptr : FindAs<ui::OptionButton>(kOptions, index);
}

void RadioGroup::Rebuild() {
  auto keep = weak_from_this().lock();
  rebuilding_ = true;
  const auto& items = buttons_->Items();
  const int count = items.Count();
  ui::OptionButton* first = Option(0);
  for (int k = 0; k < count; ++k) {
    ui::OptionButton* option = Option(k);
    if (option == nullptr) {
      auto loaded = ui::LoadArrayElement<ui::OptionButton>(*this, kOptions, k);
      if (!loaded) break;  // the options so far stay; nothing else can be done
      option = *loaded;
      (void)option->SetLeft(first->Left());
      option->Click().Connect([this, k] { OptionClicked(k); });
    }
    const clsRadioButton& item = *items.At(k + 1);
    option->SetCaption(item.Caption());
    option->SetEnabled(item.Enabled());
    option->SetVisible(true);
  }
  if (count == 0) first->SetVisible(false);
  // The elements beyond the items, from the last one down; opt(0) always stays.
  for (int k = OptionCount() - 1; k >= std::max(count, 1); --k)
    (void)ui::UnloadArrayElement(*this, kOptions, k);
  Arrange();
  rebuilding_ = false;
  SetSelectedIndex(selected_index_);
}

void RadioGroup::Arrange() {
  const int n = OptionCount();
  ui::OptionButton* first = Option(0);
  const int height = first->Height();
  for (int k = 0; k < n; ++k) {
    ui::OptionButton* option = Option(k);
    (void)option->SetWidth(frame_->Width() - 2 * option->Left());
    if (buttons_->Items().Count() == 0) continue;
    // An equal share of the height per option, each centred on its share's lower edge.
    const double share = static_cast<double>(Height() - kSpreadMargin) / (n + 1);
    (void)option->SetTop(
        static_cast<int>(std::lround(share * (k + 1) + kSpreadOffset - height / 2.0)));
  }
}

void RadioGroup::OptionClicked(int index) {
  if (rebuilding_ || buttons_->Items().Count() == 0) return;
  auto keep = weak_from_this().lock();
  selected_index_ = index + 1;
  Variant args[] = {Variant(static_cast<std::int32_t>(index + 1)),
                    Variant(automation::ObjectRef(buttons_->Items().At(index + 1)))};
  RaiseEvent(radio_group::event::kSelectionChanged, args);
}

void RadioGroup::OnResize() {
  (void)frame_->Move(0, 0, Width(), Height());
  Arrange();
}

void RadioGroup::OnInitProperties() {
  selected_index_ = -1;
  if (Site() != nullptr) SetCaption(Site()->Name());
  Rebuild();
}

void RadioGroup::OnReadProperties(ui::PropertyBag& bag) {
  ReadSetting<int>(bag, "SelectedIndex", std::int32_t{-1}, [this](int v) { selected_index_ = v; });
  ReadSetting<std::string>(bag, "Caption", "",
                           [this](std::string v) { frame_->SetCaption(std::move(v)); });
  if (auto nested = ReadNestedBag(bag, "RadioButtons")) buttons_->Load(*nested);
  SetOptionFont(ReadFontKeys(bag));
  Rebuild();
}

void RadioGroup::OnWriteProperties(ui::PropertyBag& bag) {
  RaiseIfFailed(bag.WriteProperty("SelectedIndex", static_cast<std::int32_t>(selected_index_),
                                  std::int32_t{-1}));
  RaiseIfFailed(bag.WriteProperty("Caption", Caption(), ""));
  WriteNestedBag(bag, "RadioButtons", buttons_->Save());
  WriteFontKeys(bag, *OptionFont());
}

}  // namespace feriant::lumatrel
