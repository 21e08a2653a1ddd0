#include "controls/support/items_page.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "platform/ui/common/errors.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;

constexpr char kNote[] = "Always close this dialog using OK. Cancel/Switching control is buggy :-(";

std::string TextOf(automation::Dispatch& object, const char* member) {
  auto value = object.Get(member);
  if (!value) return {};
  return value->ToString().value_or(std::string());
}

}  // namespace

ItemsPage::ItemsPage(const ItemsPageInfo& info)
    : PropertyPage(info.page_name, info.tab), info_(info) {
  list_ = &Add<ui::ListBox>(info.list_name);
  (void)list_->Move(120, 120, 2400, 2100);
  auto& add = Add<ui::CommandButton>("cmdAdd");
  add.SetCaption("&Add");
  (void)add.Move(120, 2280, 1155, 375);
  auto& remove = Add<ui::CommandButton>("cmdRemove");
  remove.SetCaption("&Remove");
  (void)remove.Move(1365, 2280, 1155, 375);

  frame_ = &Add<ui::Frame>("fraProperties");
  frame_->SetCaption("&Properties");
  (void)frame_->Move(2640, 60, 2925, 2595);
  auto field = [this](const char* label_name, const char* caption, const char* box_name, int top) {
    auto& label = Add<ui::Label>(label_name);
    (void)label.SetContainer(frame_);
    label.SetCaption(caption);
    (void)label.Move(kFieldsLeft, top, 2685, 195);
    auto& box = Add<ui::TextBox>(box_name);
    (void)box.SetContainer(frame_);
    (void)box.Move(kFieldsLeft, top + 225, 2685, 315);
    return &box;
  };
  key_ = field("lblKey", "&Key:", "txtKey", 240);
  caption_ = field("lblCaption", info.caption_label, info.caption_box, 900);

  auto& note = Add<ui::Label>("lblNote");
  note.SetWordWrap(true);
  note.SetCaption(kNote);
  (void)note.Move(2640, 2760, 2925, 600);

  list_->Click().Connect([this] { ShowItem(); });
  add.Click().Connect([this] { (void)AddItem(); });
  remove.Click().Connect([this] { (void)RemoveCurrentItem(); });
  key_->Change().Connect([this] {
    if (loading_) return;
    PutOnItem("Key", Variant(key_->Text()));
    if (list_->ListIndex() >= 0) (void)list_->SetList(list_->ListIndex(), key_->Text());
  });
  caption_->Change().Connect([this] {
    if (!loading_) PutOnItem(info_.caption_member, Variant(caption_->Text()));
  });
}

automation::ObjectRef ItemsPage::Collection() const {
  if (SelectedControls().empty() || !SelectedControls().front()) return nullptr;
  auto collection = SelectedControls().front()->Get(info_.collection);
  return collection ? collection->AsObject() : nullptr;
}

automation::ObjectRef ItemsPage::CurrentItem() const {
  automation::ObjectRef collection = Collection();
  if (!collection || list_->ListIndex() < 0) return nullptr;
  auto item = collection->Get("Item", {Variant(static_cast<std::int32_t>(list_->ListIndex() + 1))});
  return item ? item->AsObject() : nullptr;
}

void ItemsPage::PutOnItem(const char* member, Variant value) {
  if (automation::ObjectRef item = CurrentItem()) {
    (void)item->Put(member, std::move(value));
    SetChanged(true);
  }
}

Status ItemsPage::AddItem() {
  automation::ObjectRef collection = Collection();
  if (!collection) return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall, "no control");
  std::set<std::string> shown;
  for (int i = 0; i < list_->ListCount(); ++i)
    shown.insert(list_->List(i).value_or(""));
  int n = 0;
  while (shown.count(info_.key_prefix + std::to_string(n)) != 0)
    ++n;
  const std::string key = info_.key_prefix + std::to_string(n);
  const std::string caption = info_.new_caption != nullptr ? info_.new_caption : key;
  auto added = collection->Call("Add", {Variant(key), Variant(caption)});
  if (!added) return added.error();
  if (Status s = list_->AddItem(key); !s) return s;
  (void)list_->SetListIndex(list_->ListCount() - 1);
  ShowItem();
  SetChanged(true);
  return Ok();
}

Status ItemsPage::RemoveCurrentItem() {
  automation::ObjectRef collection = Collection();
  const int current = list_->ListIndex();
  if (!collection || current < 0) return Ok();
  auto removed = collection->Call("Remove", {Variant(static_cast<std::int32_t>(current + 1))});
  if (!removed) return removed.error();
  (void)list_->RemoveItem(current);
  (void)list_->SetListIndex(std::min(current, list_->ListCount() - 1));
  ShowItem();
  SetChanged(true);
  return Ok();
}

void ItemsPage::ShowItem() {
  loading_ = true;
  automation::ObjectRef item = CurrentItem();
  key_->SetText(item ? TextOf(*item, "Key") : std::string());
  caption_->SetText(item ? TextOf(*item, info_.caption_member) : std::string());
  key_->SetEnabled(item != nullptr);
  caption_->SetEnabled(item != nullptr);
  ShowItemFields(item.get());
  loading_ = false;
}

void ItemsPage::OnSelectionChanged() {
  loading_ = true;
  list_->Clear();
  if (automation::ObjectRef collection = Collection()) {
    const std::int32_t count = collection->Get("count").value_or(Variant()).ToI4().value_or(0);
    for (std::int32_t i = 1; i <= count; ++i) {
      auto item = collection->Get("Item", {Variant(i)});
      if (item && item->AsObject()) (void)list_->AddItem(TextOf(*item->AsObject(), "Key"));
    }
    if (list_->ListCount() > 0) (void)list_->SetListIndex(0);
  }
  if (!SelectedControls().empty() && SelectedControls().front())
    ShowControlFields(*SelectedControls().front());
  loading_ = false;
  ShowItem();
  SetChanged(false);
}

Status ItemsPage::OnApplyChanges() {
  if (SelectedControls().empty() || !SelectedControls().front()) return Ok();
  auto notified = SelectedControls().front()->Call(info_.notify_method);
  return notified ? Ok() : Status(notified.error());
}

}  // namespace feriant::lumatrel
