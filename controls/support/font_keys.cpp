#include "controls/support/font_keys.h"

#include <string_view>

#include "controls/support/errors.h"

namespace feriant::lumatrel {
namespace {

template <class Apply>
void ReadFlag(ui::PropertyBag& bag, std::string_view key, Apply apply) {
  if (auto stored = bag.ReadProperty(key)) {
    if (auto flag = stored->ToBool()) apply(*flag);
  }
}

}  // namespace

std::shared_ptr<ui::StdFont> ReadFontKeys(ui::PropertyBag& bag) {
  auto font = ui::StdFont::Create();
  if (auto name = bag.ReadProperty("FontName")) {
    if (auto text = name->ToString()) (void)font->SetName(*text);
  }
  if (auto size = bag.ReadProperty("FontSize")) {
    if (auto points = size->ToCurrency()) (void)font->SetSize(*points);
  }
  ReadFlag(bag, "FontItalic", [&](bool v) { font->SetItalic(v); });
  ReadFlag(bag, "FontBold", [&](bool v) { font->SetBold(v); });
  ReadFlag(bag, "FontUnderline", [&](bool v) { font->SetUnderline(v); });
  ReadFlag(bag, "FontStrikethrough", [&](bool v) { font->SetStrikethrough(v); });
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

}  // namespace feriant::lumatrel
