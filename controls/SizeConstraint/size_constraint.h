#pragma once
// SizeConstraint: an icon-sized control that limits how small or large the person may
// drag its form. It hooks the form's size-limit query (WM_GETMINMAXINFO) through the
// subclassing module and answers it alone: the form's own procedure never sees it.
//
// Limits are the form's outer size in twips, -1 for none, turned into pixels by integer
// division by the screen's twips per pixel. The hook is on while the form runs (not on a
// design surface), from the control's InitNew or Load (or, on a form not yet loaded
// then, its first showing) until the form unloads or the
// control goes; each change of a limit makes the form ask again at once, so that a form
// larger than a new maximum shrinks into it. The user-interface thread only.

#include <cstdint>

#include "controls/support/subclass.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class SizeConstraint final : public ui::UserControlImpl<SizeConstraint>, public SubclassHandler {
 public:
  SizeConstraint();
  ~SizeConstraint() override;

  // _SizeConstraint in slot order: the puts of MinWidth, MaxWidth, MinHeight, MaxHeight,
  // then their gets in the same order.
  static const automation::Members<SizeConstraint>& Interface();

  enum Limit { kMinWidth, kMaxWidth, kMinHeight, kMaxHeight };
  std::int32_t Get(Limit limit) const { return limits_[limit]; }
  void Set(Limit limit, std::int32_t twips);
  // The window hooked; 0 while none is.
  ui::window::Handle HookedWindow() const { return hooked_; }

  // As the form's handler: always 0 (the form's procedure is not called).
  std::int32_t MsgResponse() const override { return 0; }
  void SetMsgResponse(std::int32_t value) override { msg_response_ = value; }
  std::int32_t WindowProc(ui::window::Handle hwnd, std::uint32_t iMsg, std::intptr_t wParam,
                          std::intptr_t lParam) override;

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnPaint() override;
  void OnShow() override;
  void OnTerminate() override;

 private:
  // Hooks the form's window when the form runs; a failure leaves the form unlimited.
  void Hook();
  void Unhook();
  // Lets the form ask for its limits again (and keep its size within them).
  void Reapply();

  std::int32_t limits_[4] = {-1, -1, -1, -1};
  std::int32_t msg_response_ = 0;  // stored when put, never used
  ui::window::Handle hooked_ = 0;
};

}  // namespace feriant::lumatrel
