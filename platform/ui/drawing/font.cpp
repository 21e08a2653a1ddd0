#include "platform/ui/drawing/font.h"

#include "platform/ui/common/errors.h"

namespace feriant::ui {

using automation::Currency;
using automation::Members;
using automation::Variant;

const Members<StdFont>& StdFont::Interface() {
  static const Members<StdFont> members = [] {
    Members<StdFont> m;
    using Args = std::span<Variant>;
    m.Get("Name", 0, [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Name()); })
        .Put("Name", 0,
             [](StdFont& f, Args a) -> Status {
               auto text = a.back().ToString();
               if (!text) return text.error();
               return f.SetName(*text);
             })
        .Get("Size", 2, [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Size()); })
        .Put("Size", 2,
             [](StdFont& f, Args a) -> Status {
               auto size = a.back().ToCurrency();
               if (!size) return size.error();
               return f.SetSize(*size);
             })
        .Get("Bold", 3, [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Bold()); })
        .Put("Bold", 3,
             [](StdFont& f, Args a) -> Status {
               auto value = a.back().ToBool();
               if (!value) return value.error();
               f.SetBold(*value);
               return Ok();
             })
        .Get("Italic", 4, [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Italic()); })
        .Put("Italic", 4,
             [](StdFont& f, Args a) -> Status {
               auto value = a.back().ToBool();
               if (!value) return value.error();
               f.SetItalic(*value);
               return Ok();
             })
        .Get("Underline", 5,
             [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Underline()); })
        .Put("Underline", 5,
             [](StdFont& f, Args a) -> Status {
               auto value = a.back().ToBool();
               if (!value) return value.error();
               f.SetUnderline(*value);
               return Ok();
             })
        .Get("Strikethrough", 6,
             [](StdFont& f, Args) -> Result<Variant> { return Variant(f.Strikethrough()); })
        .Put("Strikethrough", 6,
             [](StdFont& f, Args a) -> Status {
               auto value = a.back().ToBool();
               if (!value) return value.error();
               f.SetStrikethrough(*value);
               return Ok();
             })
        .Get("Weight", 7,
             [](StdFont& f, Args) -> Result<Variant> {
               return Variant(static_cast<std::int16_t>(f.Weight()));
             })
        .Put("Weight", 7,
             [](StdFont& f, Args a) -> Status {
               auto value = a.back().ToI4();
               if (!value) return value.error();
               f.SetWeight(*value);
               return Ok();
             })
        .Get("Charset", 8,
             [](StdFont&, Args) -> Result<Variant> { return Variant(std::int16_t{0}); });
    return m;
  }();
  return members;
}

void StdFont::SetDesc(const FontDesc& desc) {
  if (desc == desc_) return;
  desc_ = desc;
  changed_.Raise();
}

Status StdFont::SetName(std::string name) {
  if (name.empty()) return MakeUiError(ui_error::kInvalidPropertyValue, "empty font name");
  if (name == desc_.name) return Ok();
  desc_.name = std::move(name);
  changed_.Raise();
  return Ok();
}

Status StdFont::SetSize(Currency size) {
  // 2160 points is the largest size the classic font dialog accepts.
  if (size.scaled <= 0 || size.scaled > 2160 * 10000LL)
    return MakeUiError(ui_error::kInvalidPropertyValue, "font size out of range");
  if (size == desc_.size) return Ok();
  desc_.size = size;
  changed_.Raise();
  return Ok();
}

void StdFont::SetBold(bool value) {
  if (value == desc_.bold) return;
  desc_.bold = value;
  changed_.Raise();
}

void StdFont::SetItalic(bool value) {
  if (value == desc_.italic) return;
  desc_.italic = value;
  changed_.Raise();
}

void StdFont::SetUnderline(bool value) {
  if (value == desc_.underline) return;
  desc_.underline = value;
  changed_.Raise();
}

void StdFont::SetStrikethrough(bool value) {
  if (value == desc_.strikethrough) return;
  desc_.strikethrough = value;
  changed_.Raise();
}

std::shared_ptr<StdFont> FontOf(const Variant& value) {
  return std::dynamic_pointer_cast<StdFont>(value.AsObject());
}

}  // namespace feriant::ui
