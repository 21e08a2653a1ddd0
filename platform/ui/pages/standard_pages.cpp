#include "platform/ui/pages/standard_pages.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/text_box.h"

namespace feriant::ui {
namespace {

using automation::Variant;

// The standard colour properties, in the order the page lists them.
struct ColorProperty {
  const char* name;
  automation::DispId id;
};
constexpr ColorProperty kColorProperties[] = {
    {"BackColor", dispid::kBackColor},
    {"ForeColor", dispid::kForeColor},
    {"BorderColor", dispid::kBorderColor},
    {"FillColor", dispid::kFillColor},
};

// Rows of the pages: 420 twips apart from the top, fields 1620 twips from the left.
constexpr int kRowTop = 120;
constexpr int kRowStep = 420;
constexpr int kFieldLeft = 1620;

Label& AddLabel(PropertyPage& page, const std::string& name, const std::string& caption, int row) {
  auto& label = page.Add<Label>(name);
  label.SetCaption(caption);
  (void)label.Move(120, kRowTop + row * kRowStep + 60, kFieldLeft - 180, 195);
  return label;
}

class ColorPage final : public PropertyPage {
 public:
  ColorPage() : PropertyPage("StandardColor", "Color") {}

 protected:
  void OnSelectionChanged() override {
    for (Row& row : rows_) {
      (void)Remove(*row.label);
      (void)Remove(*row.text);
      (void)Remove(*row.swatch);
    }
    rows_.clear();
    automation::Dispatch* first =
        SelectedControls().empty() ? nullptr : SelectedControls().front().get();
    if (first != nullptr) {
      for (const ColorProperty& property : kColorProperties) {
        auto value = first->Get(property.id);
        if (!value) continue;
        auto number = value->ToDouble();
        if (!number) continue;
        AddRow(property, static_cast<OleColor>(
                             static_cast<std::uint32_t>(static_cast<std::int64_t>(*number))));
      }
    }
    SetChanged(false);
  }

  Status OnApplyChanges() override {
    for (Row& row : rows_) {
      if (!row.edited) continue;
      auto color = ParseColorText(row.text->Text());
      if (!color) return color.error();
      for (const automation::ObjectRef& control : SelectedControls()) {
        if (!control) continue;
        const Variant value(static_cast<std::int32_t>(*color));
        if (Status put = control->Put(row.property.id, value); !put) return put;
      }
      row.edited = false;
    }
    return Ok();
  }

 private:
  struct Row {
    ColorProperty property;
    Label* label;
    TextBox* text;
    PictureBox* swatch;
    bool edited = false;
  };

  void AddRow(const ColorProperty& property, OleColor color) {
    const int row = static_cast<int>(rows_.size());
    const std::string name = property.name;
    Row entry{property, &AddLabel(*this, "lbl" + name, name + ":", row),
              &Add<TextBox>("txt" + name), &Add<PictureBox>("pic" + name)};
    (void)entry.text->Move(kFieldLeft, kRowTop + row * kRowStep, 1800, 315);
    entry.text->SetText(ColorText(color));
    (void)entry.swatch->Move(kFieldLeft + 1920, kRowTop + row * kRowStep, 315, 315);
    (void)entry.swatch->SetBackColor(color);
    TextBox* text = entry.text;
    PictureBox* swatch = entry.swatch;
    const size_t index = rows_.size();
    text->Change().Connect([this, text, swatch, index] {
      if (auto parsed = ParseColorText(text->Text())) (void)swatch->SetBackColor(*parsed);
      if (index < rows_.size()) rows_[index].edited = true;
      SetChanged(true);
    });
    rows_.push_back(entry);
  }

  std::vector<Row> rows_;
};

class FontPage final : public PropertyPage {
 public:
  FontPage() : PropertyPage("StandardFont", "Font") {
    AddLabel(*this, "lblName", "&Font:", 0);
    name_ = &Add<TextBox>("txtName");
    (void)name_->Move(kFieldLeft, kRowTop, 2700, 315);
    AddLabel(*this, "lblSize", "&Size:", 1);
    size_ = &Add<TextBox>("txtSize");
    (void)size_->Move(kFieldLeft, kRowTop + kRowStep, 900, 315);
    const struct {
      const char* name;
      const char* caption;
      CheckBox** box;
    } boxes[] = {
        {"chkBold", "&Bold", &bold_},
        {"chkItalic", "&Italic", &italic_},
        {"chkUnderline", "&Underline", &underline_},
        {"chkStrikethrough", "Stri&keout", &strikethrough_},
    };
    int row = 2;
    for (const auto& entry : boxes) {
      CheckBox& box = Add<CheckBox>(entry.name);
      box.SetCaption(entry.caption);
      (void)box.Move(kFieldLeft, kRowTop + row++ * kRowStep, 2700, 255);
      box.Click().Connect([this] { Edited(); });
      *entry.box = &box;
    }
    name_->Change().Connect([this] { Edited(); });
    size_->Change().Connect([this] { Edited(); });
  }

 protected:
  void OnSelectionChanged() override {
    loading_ = true;
    automation::Dispatch* first =
        SelectedControls().empty() ? nullptr : SelectedControls().front().get();
    std::shared_ptr<StdFont> font;
    if (first != nullptr) {
      if (auto value = first->Get(dispid::kFont)) font = FontOf(*value);
    }
    if (font) {
      const FontDesc& desc = font->Desc();
      name_->SetText(desc.name);
      size_->SetText(*Variant(desc.size).ToString());
      (void)bold_->SetValue(desc.bold ? check_value::kChecked : check_value::kUnchecked);
      (void)italic_->SetValue(desc.italic ? check_value::kChecked : check_value::kUnchecked);
      (void)underline_->SetValue(desc.underline ? check_value::kChecked : check_value::kUnchecked);
      (void)strikethrough_->SetValue(desc.strikethrough ? check_value::kChecked
                                                        : check_value::kUnchecked);
    }
    loading_ = false;
    SetChanged(false);
  }

  Status OnApplyChanges() override {
    auto font = StdFont::Create();
    if (Status named = font->SetName(name_->Text()); !named) return named;
    auto points = Variant(size_->Text()).ToDouble();
    if (!points) return MakeUiError(ui_error::kInvalidPropertyValue, "font size " + size_->Text());
    if (Status sized = font->SetSize(automation::Currency::FromDouble(*points)); !sized)
      return sized;
    font->SetBold(bold_->Value() == check_value::kChecked);
    font->SetItalic(italic_->Value() == check_value::kChecked);
    font->SetUnderline(underline_->Value() == check_value::kChecked);
    font->SetStrikethrough(strikethrough_->Value() == check_value::kChecked);
    for (const automation::ObjectRef& control : SelectedControls()) {
      if (!control) continue;
      // Each control gets an object of its own, as a font dialog would give it.
      if (Status put =
              control->PutRef(dispid::kFont, Variant(automation::ObjectRef(font->Clone())));
          !put)
        return put;
    }
    return Ok();
  }

 private:
  void Edited() {
    if (!loading_) SetChanged(true);
  }

  TextBox* name_ = nullptr;
  TextBox* size_ = nullptr;
  CheckBox* bold_ = nullptr;
  CheckBox* italic_ = nullptr;
  CheckBox* underline_ = nullptr;
  CheckBox* strikethrough_ = nullptr;
  bool loading_ = false;
};

}  // namespace

std::shared_ptr<PropertyPage> CreateStandardPage(const automation::Guid& class_id) {
  if (class_id == kStandardColorPage) return std::make_shared<ColorPage>();
  if (class_id == kStandardFontPage) return std::make_shared<FontPage>();
  return nullptr;
}

std::string ColorText(OleColor color) {
  char text[16];
  std::snprintf(text, sizeof(text), IsSystemColor(color) ? "&H%08X&" : "&H%06X&",
                static_cast<unsigned>(color));
  return text;
}

Result<OleColor> ParseColorText(std::string_view text) {
  text = base::Trim(text, base::kWhitespace);
  auto refuse = [&] {
    return MakeUiError(ui_error::kInvalidPropertyValue, "not a colour: " + std::string(text));
  };
  std::string_view digits = text;
  std::optional<std::int64_t> value;
  if (digits.size() > 2 && (digits[0] == '&') && (digits[1] == 'H' || digits[1] == 'h')) {
    digits.remove_prefix(2);
    if (!digits.empty() && digits.back() == '&') digits.remove_suffix(1);
  } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
  } else {
    // Decimal, unsigned or as a signed 32-bit number, the way system colours are often
    // written (-2147483633 is &H8000000F&).
    value = base::ParseWholeNumber(
        digits,
        {.plus_sign = false, .min = std::numeric_limits<std::int32_t>::min(), .max = 0xFFFFFFFF});
    if (value && *value < 0) *value += std::int64_t{1} << 32;
    digits = {};
  }
  if (!digits.empty() && digits.size() <= 8) {  // eight hexadecimal digits at most
    std::uint32_t hex = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), hex, 16);
    if (error == std::errc() && end == digits.data() + digits.size()) value = hex;
  }
  if (!value) return refuse();
  const auto color = static_cast<OleColor>(*value);
  if (!IsValidColor(color)) return refuse();
  return color;
}

}  // namespace feriant::ui
