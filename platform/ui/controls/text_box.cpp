#include "platform/ui/controls/text_box.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

namespace {

// The first `count` characters (UTF-8 code points) of `text`.
std::string FirstCharacters(const std::string& text, int count) {
  int seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80) {
      if (seen == count) return text.substr(0, i);
      ++seen;
    }
  }
  return text;
}

}  // namespace

TextBox::TextBox() : ControlImpl(/*windowed=*/true), font_([this] { NotifyChanged("Font"); }) {}

const Members<TextBox>& TextBox::Interface() {
  static const Members<TextBox> members = [] {
    Members<TextBox> m;
    using members::Getter;
    using members::Setter;
    using T = TextBox;
    members::AddCommonMembers(m);
    m.Get("Text", dispid::kText, Getter<T>(&T::Text))
        .Put("Text", dispid::kText, Setter<T, std::string>(&T::SetText))
        .Get("MaxLength", dispid::kMaxLength, Getter<T>(&T::MaxLength))
        .Put("MaxLength", dispid::kMaxLength, Setter<T, int>(&T::SetMaxLength))
        .Get("Locked", dispid::kLocked, Getter<T>(&T::Locked))
        .Put("Locked", dispid::kLocked, Setter<T, bool>(&T::SetLocked))
        .Get("Alignment", dispid::kAlignment, Getter<T>(&T::Alignment))
        .Put("Alignment", dispid::kAlignment, Setter<T, int>(&T::SetAlignment))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<T>(&T::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<T>(&T::SetBackColor))
        .Get("ForeColor", dispid::kForeColor, members::ColorGetter<T>(&T::ForeColor))
        .Put("ForeColor", dispid::kForeColor, members::ColorSetter<T>(&T::SetForeColor))
        .Get("Font", dispid::kFont, Getter<T>(&T::Font))
        .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>(&T::SetFont));
    return m;
  }();
  return members;
}

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  NotifyChanged("Text");
  auto keep = KeepAlive();
  change_.Raise();
}

Status TextBox::SetMaxLength(int length) {
  if (length < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "MaxLength");
  max_length_ = length;
  return Ok();
}

void TextBox::SetLocked(bool value) {
  if (value == locked_) return;
  locked_ = value;
  NotifyChanged("Locked");
}

void TextBox::SetMultiLine(bool value) {
  if (value == multi_line_) return;
  multi_line_ = value;
  NotifyChanged("MultiLine");
}

Status TextBox::SetAlignment(int value) {
  if (value < 0 || value > 2) return MakeUiError(ui_error::kInvalidPropertyValue, "Alignment");
  if (value == alignment_) return Ok();
  alignment_ = value;
  NotifyChanged("Alignment");
  return Ok();
}

Status TextBox::SetBackColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  if (color == back_color_) return Ok();
  back_color_ = color;
  NotifyChanged("BackColor");
  return Ok();
}

Status TextBox::SetForeColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  if (color == fore_color_) return Ok();
  fore_color_ = color;
  NotifyChanged("ForeColor");
  return Ok();
}

Status TextBox::InputText(std::string text) {
  if (!EditText(std::move(text)))
    return MakeUiError(ui_error::kInvalidProcedureCall, Name() + " is locked");
  return Ok();
}

bool TextBox::EditText(std::string text) {
  if (locked_) return false;
  if (max_length_ > 0) text = FirstCharacters(text, max_length_);
  SetText(std::move(text));
  return true;
}

void TextBox::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
