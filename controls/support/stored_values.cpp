#include "controls/support/stored_values.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "controls/support/errors.h"
#include "platform/ui/common/errors.h"

namespace feriant::lumatrel {

using automation::Variant;

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
