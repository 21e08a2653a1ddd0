#include "platform/ui/controls/caption_control.h"

namespace feriant::ui {

CaptionControl::CaptionControl(bool windowed)
    : Control(windowed), font_([this] { NotifyChanged("Font"); }) {}

void CaptionControl::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

void CaptionControl::CopyCaptionFrom(const CaptionControl& other) {
  SetCaption(other.caption_);
  (void)SetBackColor(other.back_color_);
  (void)SetForeColor(other.fore_color_);
  font_.Get()->SetDesc(other.Font()->Desc());
}

void CaptionControl::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
