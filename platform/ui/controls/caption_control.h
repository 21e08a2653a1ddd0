#pragma once
// CaptionControl: what the controls that show a caption on colours of their own share (a
// frame, an option button): Caption with its access key, BackColor, ForeColor (the button
// face and its text when new) and Font, which is the surface's when the control is placed
// unless one was set. The user-interface thread only.

#include <memory>
#include <string>

#include "platform/ui/core/control.h"
#include "platform/ui/core/member_helpers.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class CaptionControl : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color) { return AssignColor(fore_color_, color, "ForeColor"); }
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }
  char AccessKey() const override { return AccessKeyOf(caption_); }

 protected:
  explicit CaptionControl(bool windowed);
  // Takes these of `other` (a new element of a control array).
  void CopyCaptionFrom(const CaptionControl& other);
  void OnAttached() override;

 private:
  std::string caption_;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  FontSlot font_;
};

namespace members {

// Caption and the look members of a CaptionControl.
template <class T>
void AddCaptionMembers(automation::Members<T>& m) {
  m.Get("Caption", dispid::kCaption, Getter<T>([](T& c) { return c.Caption(); }))
      .Put("Caption", dispid::kCaption,
           Setter<T, std::string>([](T& c, std::string v) { c.SetCaption(std::move(v)); }));
  AddLookMembers(m);
}

}  // namespace members
}  // namespace feriant::ui
