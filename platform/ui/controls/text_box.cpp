#include "platform/ui/controls/text_box.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

namespace {

// The byte offset of character (UTF-8 code point) `count` of `text`; its size when the
// text is shorter.
size_t OffsetOf(std::string_view text, int count) {
  int seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80) {
      if (seen == count) return i;
      ++seen;
    }
  }
  return text.size();
}

int CharacterCount(std::string_view text) {
  int count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// The first `count` characters of `text`.
std::string FirstCharacters(const std::string& text, int count) {
  return text.substr(0, OffsetOf(text, count));
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
        .Get("SelStart", dispid::kSelStart, Getter<T>(&T::SelStart))
        .Put("SelStart", dispid::kSelStart, Setter<T, int>(&T::SetSelStart))
        .Get("SelLength", dispid::kSelLength, Getter<T>(&T::SelLength))
        .Put("SelLength", dispid::kSelLength, Setter<T, int>(&T::SetSelLength))
        .Get("SelText", dispid::kSelText, Getter<T>(&T::SelText))
        .Put("SelText", dispid::kSelText,
             Setter<T, std::string>([](T& t, std::string v) { t.SetSelText(v); }))
        .Get("Font", dispid::kFont, Getter<T>(&T::Font))
        .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>(&T::SetFont));
    return m;
  }();
  return members;
}

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  sel_start_ = 0;
  sel_length_ = 0;
  NotifyChanged("Text");
  auto keep = KeepAlive();
  change_.Raise();
}

void TextBox::Select(int start, int length) {
  const int size = CharacterCount(text_);
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start == sel_start_ && length == sel_length_) return;
  sel_start_ = start;
  sel_length_ = length;
  NotifyChanged("Selection");
}

Status TextBox::SetSelStart(int start) {
  if (start < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "SelStart");
  Select(start, 0);
  return Ok();
}

Status TextBox::SetSelLength(int length) {
  if (length < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "SelLength");
  Select(sel_start_, length);
  return Ok();
}

std::string TextBox::SelText() const {
  const size_t from = OffsetOf(text_, sel_start_);
  return text_.substr(from, OffsetOf(text_, sel_start_ + sel_length_) - from);
}

void TextBox::SetSelText(std::string_view text) {
  const int start = sel_start_;
  const size_t from = OffsetOf(text_, sel_start_);
  const size_t to = OffsetOf(text_, sel_start_ + sel_length_);
  std::string replaced = text_.substr(0, from);
  replaced += text;
  replaced += text_.substr(to);
  auto keep = KeepAlive();
  SetText(std::move(replaced));
  Select(start + CharacterCount(text), 0);
}

void TextBox::UserSelect(int start, int length) {
  Select(start, length);
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
