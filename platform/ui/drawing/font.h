#pragma once
// Fonts: FontDesc is the plain value (face, size in points, style flags) that text
// metrics take; StdFont is the standard font object that controls expose through their
// Font property and that callers change attribute by attribute, late-bound or from C++.
//
// A control holds its StdFont by shared reference and listens to its Changed event, so
// that changing an attribute of the live object (lbl.Font.Bold = True) re-measures and
// repaints the control. Shared objects; the user-interface thread only.

#include <memory>
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/automation/variant.h"
#include "platform/ui/common/event.h"

namespace feriant::ui {

struct FontDesc {
  std::string name = "MS Sans Serif";
  automation::Currency size{82500};  // points, four decimals: 8.25
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  double Points() const { return size.ToDouble(); }
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// Dispatch ids are those of the standard font interface: Name 0, Size 2, Bold 3,
// Italic 4, Underline 5, Strikethrough 6, Weight 7, Charset 8.
class StdFont final : public automation::DispatchObject<StdFont> {
 public:
  StdFont() = default;
  explicit StdFont(FontDesc desc) : desc_(std::move(desc)) {}
  static std::shared_ptr<StdFont> Create(FontDesc desc = {}) {
    return std::make_shared<StdFont>(std::move(desc));
  }
  // A new object with the same attributes (what a property bag hands back).
  std::shared_ptr<StdFont> Clone() const { return Create(desc_); }

  static const automation::Members<StdFont>& Interface();
  std::string TypeName() const override { return "StdFont"; }

  const FontDesc& Desc() const { return desc_; }
  void SetDesc(const FontDesc& desc);

  const std::string& Name() const { return desc_.name; }
  automation::Currency Size() const { return desc_.size; }
  bool Bold() const { return desc_.bold; }
  bool Italic() const { return desc_.italic; }
  bool Underline() const { return desc_.underline; }
  bool Strikethrough() const { return desc_.strikethrough; }
  // 700 when bold, 400 otherwise; other weights are kept as bold (>= 550) or regular.
  int Weight() const { return desc_.bold ? 700 : 400; }

  // An empty face name and a size outside 0 < size <= 2160 points are refused.
  Status SetName(std::string name);
  Status SetSize(automation::Currency size);
  void SetBold(bool value);
  void SetItalic(bool value);
  void SetUnderline(bool value);
  void SetStrikethrough(bool value);
  void SetWeight(int weight) { SetBold(weight >= 550); }

  // Raised after every attribute change that changed something.
  Event<>& Changed() { return changed_; }

 private:
  FontDesc desc_;
  Event<> changed_;
};

// The font object of a Variant (nullptr for Nothing or any other object).
std::shared_ptr<StdFont> FontOf(const automation::Variant& value);

}  // namespace feriant::ui
