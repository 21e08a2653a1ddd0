#include "controls/WhiteTop/prp_white_top.h"

#include <string>

namespace feriant::lumatrel {

prpWhiteTop::prpWhiteTop() : PropertyPage("prpWhiteTop", "General") {
  auto& title_label = Add<ui::Label>("lblTitle");
  title_label.SetCaption("&Title:");
  (void)title_label.Move(120, 120, 2700, 195);
  title_ = &Add<ui::TextBox>("txtTitle");
  (void)title_->Move(120, 345, 5445, 315);

  auto& msg_label = Add<ui::Label>("lblMsg");
  msg_label.SetCaption("&Message:");
  (void)msg_label.Move(120, 780, 2700, 195);
  msg_ = &Add<ui::TextBox>("txtMsg");
  msg_->SetMultiLine(true);
  (void)msg_->Move(120, 1005, 5445, 1215);

  auto_size_ = &Add<ui::CheckBox>("chkAutoSize");
  auto_size_->SetCaption("Automatic &sizing");
  (void)auto_size_->Move(120, 2340, 2700, 255);

  title_->Change().Connect([this] { SetChanged(true); });
  msg_->Change().Connect([this] { SetChanged(true); });
  auto_size_->Click().Connect([this] { SetChanged(true); });
}

void prpWhiteTop::OnSelectionChanged() {
  if (SelectedControls().empty() || !SelectedControls().front()) return;
  automation::Dispatch& banner = *SelectedControls().front();
  // A member that cannot be read leaves its field as it was.
  if (auto msg = banner.Get("Msg")) {
    if (auto text = msg->ToString()) msg_->SetText(*text);
  }
  if (auto title = banner.Get("Title")) {
    if (auto text = title->ToString()) title_->SetText(*text);
  }
  if (auto auto_size = banner.Get("AutoSize")) {
    if (auto flag = auto_size->ToBool())
      (void)auto_size_->SetValue(*flag ? ui::check_value::kChecked : ui::check_value::kUnchecked);
  }
  SetChanged(false);
}

Status prpWhiteTop::OnApplyChanges() {
  const bool auto_size = auto_size_->Value() == ui::check_value::kChecked;
  for (const automation::ObjectRef& banner : SelectedControls()) {
    if (!banner) continue;
    if (Status s = banner->Put("Msg", msg_->Text()); !s) return s;
    if (Status s = banner->Put("Title", title_->Text()); !s) return s;
    if (Status s = banner->Put("AutoSize", auto_size); !s) return s;
  }
  return Ok();
}

}  // namespace feriant::lumatrel
