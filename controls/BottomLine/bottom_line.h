#pragma once
// BottomLine: the button bar at the foot of a dialog, docked to the bottom edge of its
// form and held 795 twips high. Six push buttons (OK, Cancel, Apply, Next, Back, Help)
// are laid out from the right edge, visible ones only:
//   Help ... Back Next ... OK Cancel ... Apply
// with 95 twips between groups and Apply 120 from the right edge. Along the top runs an
// etched separator (grey over white, one pixel apart) beside the library's logo, which
// is blended over the button face on the first paint.
//
// Clicks become events of __BottomLine, raised to the connected sinks. With
// AutoOKCancelApply on, OK first raises cmdApplyClick (when Apply is enabled) and then
// cmdOKClick, and OK or Cancel unload the containing form unless a handler set Cancel.
//
// The bar owns its constituents; captions and enabled states live in the buttons, the
// visibility flags (what is saved) in the bar. Lengths are twips. The user-interface
// thread only.

#include <array>
#include <memory>
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/base/result.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class BottomLine final : public ui::UserControlImpl<BottomLine> {
 public:
  // The buttons, in the order of their properties in _BottomLine.
  enum class Button { kOK, kCancel, kApply, kNext, kBack, kHelp };
  static constexpr int kButtonCount = 6;

  BottomLine();

  // _BottomLine in slot order (see identities.h for the dispatch ids).
  static const automation::Members<BottomLine>& Interface();

  bool AutoOKCancelApply() const { return auto_ok_cancel_apply_; }
  void SetAutoOKCancelApply(bool value);

  // cmdXVisible: the put records the flag, shows or hides the button and lays the bar
  // out; the get answers whether the button is on screen now (false while the bar is
  // not shown).
  bool ButtonVisible(Button button) const;
  void SetButtonVisible(Button button, bool visible);
  // The value last given to cmdXVisible: what is saved.
  bool VisibilityFlag(Button button) const { return visible_[Index(button)]; }
  bool ButtonEnabled(Button button) const;
  void SetButtonEnabled(Button button, bool enabled);
  const std::string& ButtonCaption(Button button) const;
  // Fits the button's width to the caption, then lays the bar out.
  void SetButtonCaption(Button button, std::string caption);

  // SimulateXClick, and what a click on the button does: acts only while the button is
  // enabled and on screen.
  void SimulateClick(Button button);
  // SetFocusX: the platform's error for a hidden or disabled button.
  Status SetFocusOn(Button button);

  // Font get: a new font object with the attributes of the Apply button's font.
  std::shared_ptr<ui::StdFont> ButtonFont() const;
  // Font put: the attributes of `font` into every button's font; no width fit, no layout.
  void CopyFont(const ui::StdFont& font);

  // The logo has been blended (the first paint happened).
  bool LogoDone() const { return logo_done_; }

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnShow() override;
  void OnPaint() override;

 private:
  static constexpr size_t Index(Button button) { return static_cast<size_t>(button); }
  ui::CommandButton& Cmd(Button button) const { return *buttons_[Index(button)]; }

  void FitWidth(Button button, const std::string& caption);
  void Layout();
  // Height back to 795, layout, separator lines to the full width.
  void ApplyResizeRule();
  void ClickOK();
  void ClickCancel();
  void UnloadForm();

  std::array<ui::CommandButton*, kButtonCount> buttons_{};
  // As the buttons are designed (all visible) until a visibility put or the store says
  // otherwise, so that a flag never contradicts its button.
  std::array<bool, kButtonCount> visible_{true, true, true, true, true, true};
  ui::PictureBox* logo_ = nullptr;
  ui::PictureBox* logo_mask_ = nullptr;
  ui::Line* gray_left_ = nullptr;
  ui::Line* white_left_ = nullptr;
  ui::Line* gray_ = nullptr;
  ui::Line* white_ = nullptr;
  bool auto_ok_cancel_apply_ = false;
  bool logo_done_ = false;
};

}  // namespace feriant::lumatrel
