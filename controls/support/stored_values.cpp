#include "controls/support/stored_values.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "controls/support/errors.h"
#include "platform/ui/common/errors.h"

namespace feriant::lumatrel {

using automation::Variant;

std::shared_ptr<ui::StdFont> ReadFontKeys(ui::PropertyBag& bag) {
  auto font = ui::StdFont::Create();
  const Variant none = Variant::Missing();
  ReadSetting<std::string>(bag, "FontName", none,
                           [&](std::string name) { (void)font->SetName(std::move(name)); });
  ReadSetting<automation::Currency>(bag, "FontSize", none,
                                    [&](automation::Currency size) { (void)font->SetSize(size); });
  ReadSetting<bool>(bag, "FontItalic", none, [&](bool v) { font->SetItalic(v); });
  ReadSetting<bool>(bag, "FontBold", none, [&](bool v) { font->SetBold(v); });
  ReadSetting<bool>(bag, "FontUnderline", none, [&](bool v) { font->SetUnderline(v); });
  ReadSetting<bool>(bag, "FontStrikethrough", none, [&](bool v) { font->SetStrikethrough(v); });
  return font;
}

void WriteFontKeys(ui::PropertyBag& bag, const ui::StdFont& font) {
  RaiseIfFailed(bag.WriteProperty("FontName", font.Name()));
  RaiseIfFailed(bag.WriteProperty("FontSize", font.Size()));
  RaiseIfFailed(bag.WriteProperty("FontItalic", font.Italic()));
  RaiseIfFailed(bag.WriteProperty("FontBold", font.Bold()));
  RaiseIfFailed(bag.WriteProperty("FontUnderline", font.Underline()));
  RaiseIfFailed(bag.WriteProperty("FontStrikethrough", font.Strikethrough()));
}

std::shared_ptr<ui::StdFont> CopyOfFont(const ui::StdFont& font) {
  const ui::FontDesc& from = font.Desc();
  ui::FontDesc copy;
  copy.name = from.name;
  copy.bold = from.bold;
  copy.italic = from.italic;
  copy.size = from.size;
  copy.underline = from.underline;
  copy.strikethrough = from.strikethrough;
  return ui::StdFont::Create(copy);
}

void CopyFontAttributes(const ui::FontDesc& source, ui::StdFont& target) {
  target.SetBold(source.bold);
  target.SetItalic(source.italic);
  (void)target.SetName(source.name);
  (void)target.SetSize(source.size);
  target.SetStrikethrough(source.strikethrough);
  target.SetUnderline(source.underline);
}

Result<ui::PropertyBag> ReadNestedBag(ui::PropertyBag& bag, std::string_view key) {
  auto stored = bag.ReadProperty(key);
  if (!stored) return stored.error();
  const automation::ByteArray* bytes = stored->AsBytes();
  if (bytes == nullptr)
    return ui::MakeUiError(ui::ui_error::kInvalidPropertyValue, std::string(key));
  return ui::PropertyBag::FromContents(*bytes);
}

int ReadItemCount(ui::PropertyBag& nested) {
  int count = 0;
  ReadSetting<int>(nested, "Count", std::int32_t{0}, [&](int v) { count = v; });
  return std::clamp(count, 0, static_cast<int>(nested.size()));
}

void WriteNestedBag(ui::PropertyBag& bag, std::string_view key, const ui::PropertyBag& nested) {
  auto bytes = nested.Contents();
  if (!bytes) RaiseIfFailed(bytes.error());
  RaiseIfFailed(bag.WriteProperty(key, Variant(std::move(*bytes))));
}

}  // namespace feriant::lumatrel
