#include "platform/ui/controls/label.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

Label::Label() : ControlImpl(/*windowed=*/false), font_([this] { FontChanged(); }) {}

const Members<Label>& Label::Interface() {
  static const Members<Label> members = [] {
    Members<Label> m;
    using members::Getter;
    using members::Setter;
    members::AddCommonMembers(m, members::kIdentity | members::kGeometry | members::kEnabled |
                                     members::kTabIndex | members::kPointer | members::kRefresh);
    m.Get("Caption", dispid::kCaption, Getter<Label>(&Label::Caption))
        .Put("Caption", dispid::kCaption, Setter<Label, std::string>(&Label::SetCaption))
        .Get("AutoSize", dispid::kAutoSize, Getter<Label>(&Label::AutoSize))
        .Put("AutoSize", dispid::kAutoSize, Setter<Label, bool>(&Label::SetAutoSize))
        .Get("WordWrap", dispid::kWordWrap, Getter<Label>(&Label::WordWrap))
        .Put("WordWrap", dispid::kWordWrap, Setter<Label, bool>(&Label::SetWordWrap))
        .Get("BackStyle", dispid::kBackStyle, Getter<Label>(&Label::BackStyle))
        .Put("BackStyle", dispid::kBackStyle, Setter<Label, int>(&Label::SetBackStyle))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<Label>(&Label::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<Label>(&Label::SetBackColor))
        .Get("ForeColor", dispid::kForeColor, members::ColorGetter<Label>(&Label::ForeColor))
        .Put("ForeColor", dispid::kForeColor, members::ColorSetter<Label>(&Label::SetForeColor))
        .Get("Alignment", dispid::kAlignment, Getter<Label>(&Label::Alignment))
        .Put("Alignment", dispid::kAlignment, Setter<Label, int>(&Label::SetAlignment))
        .Get("BorderStyle", dispid::kBorderStyle, Getter<Label>(&Label::BorderStyle))
        .Put("BorderStyle", dispid::kBorderStyle, Setter<Label, int>(&Label::SetBorderStyle))
        .Get("Font", dispid::kFont, Getter<Label>(&Label::Font))
        .PutRef("Font", dispid::kFont, Setter<Label, std::shared_ptr<StdFont>>(&Label::SetFont));
    return m;
  }();
  return members;
}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
  Fit();
}

void Label::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  NotifyChanged("AutoSize");
  Fit();
}

void Label::SetWordWrap(bool value) {
  if (value == word_wrap_) return;
  word_wrap_ = value;
  NotifyChanged("WordWrap");
  Fit();
}

Status Label::SetBackStyle(int style) {
  if (style != back_style::kTransparent && style != back_style::kOpaque)
    return MakeUiError(ui_error::kInvalidPropertyValue, "BackStyle");
  if (style == back_style_) return Ok();
  back_style_ = style;
  NotifyChanged("BackStyle");
  return Ok();
}

Status Label::SetAlignment(int value) {
  if (value < alignment::kLeft || value > alignment::kCenter)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Alignment");
  if (value == alignment_) return Ok();
  alignment_ = value;
  NotifyChanged("Alignment");
  return Ok();
}

Status Label::SetBorderStyle(int style) {
  if (style != 0 && style != 1) return MakeUiError(ui_error::kInvalidPropertyValue, "BorderStyle");
  if (style == border_style_) return Ok();
  border_style_ = style;
  NotifyChanged("BorderStyle");
  Fit();
  return Ok();
}

void Label::CopyPropertiesFrom(const Label& other) {
  (void)Move(other.Left(), other.Top(), other.Width(), other.Height());
  font_.Get()->SetDesc(other.Font()->Desc());
  (void)SetBackStyle(other.back_style_);
  (void)SetBackColor(other.back_color_);
  (void)SetForeColor(other.fore_color_);
  (void)SetAlignment(other.alignment_);
  (void)SetBorderStyle(other.border_style_);
  SetWordWrap(other.word_wrap_);
  SetAutoSize(other.auto_size_);
  SetCaption(other.caption_);
  SetEnabled(other.Enabled());
  SetTag(other.Tag());
}

Status Label::InputClick() {
  click_.Raise();
  return Ok();
}

void Label::PressAccessKey() {
  Control* next = Host() != nullptr ? Host()->NextFocusable(*this) : nullptr;
  if (next != nullptr) (void)next->SetFocus();
}

Status Label::InputDblClick() {
  dbl_click_.Raise();
  return Ok();
}

Status Label::InputMouse(const MouseInput& input) {
  return RaiseMouseEvent(input, &mouse_down_, &mouse_up_);
}

void Label::OnBoundsChanged(const Rect& old_bounds) {
  // A wrapping auto-sized label re-flows at its new width. A height set from outside
  // stands until the text, font or width changes (a caller may clip the label).
  if (auto_size_ && word_wrap_ && Width() != old_bounds.width) Fit();
}

void Label::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

void Label::FontChanged() {
  NotifyChanged("Font");
  Fit();
}

void Label::Fit() {
  if (!auto_size_) return;
  const Backend& backend = CurrentBackend();
  const FontDesc& font = font_.Desc();
  Rect bounds = Bounds();
  if (word_wrap_) {
    bounds.height = backend.WrappedTextHeight(font, caption_, bounds.width);
  } else {
    bounds.width = backend.TextWidth(font, caption_);
    bounds.height = backend.TextHeight(font, caption_);
  }
  SetBoundsInternal(bounds);
}

}  // namespace feriant::ui
