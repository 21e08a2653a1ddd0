#include "controls/SizeConstraint/size_constraint.h"

#include <cmath>
#include <cstring>
#include <span>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "platform/ui/common/color.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
namespace window = ui::window;

constexpr int kPixels = 32;  // the control's side, in screen pixels

struct LimitInfo {
  const char* name;
  automation::DispId id;
};
constexpr LimitInfo kLimits[] = {
    {"MinWidth", size_constraint::dispid::kMinWidth},
    {"MaxWidth", size_constraint::dispid::kMaxWidth},
    {"MinHeight", size_constraint::dispid::kMinHeight},
    {"MaxHeight", size_constraint::dispid::kMaxHeight},
};

}  // namespace

SizeConstraint::SizeConstraint()
    : UserControlImpl("SizeConstraint", size_constraint::kClassId,
                      size_constraint::kEventInterfaceId) {
  const ui::Backend& backend = ui::CurrentBackend();
  SetInitialSize(kPixels * backend.TwipsPerPixelX(), kPixels * backend.TwipsPerPixelY());
}

SizeConstraint::~SizeConstraint() {
  Unhook();
}

const automation::Members<SizeConstraint>& SizeConstraint::Interface() {
  static const automation::Members<SizeConstraint> members = [] {
    using Args = std::span<Variant>;
    automation::Members<SizeConstraint> m;
    for (int i = 0; i < 4; ++i) {
      m.Put(kLimits[i].name, kLimits[i].id, [i](SizeConstraint& self, Args args) -> Status {
        auto number = ui::members::FromVariant<int>(args.back());
        if (!number) return number.error();
        self.Set(static_cast<Limit>(i), *number);
        return Ok();
      });
    }
    for (int i = 0; i < 4; ++i) {
      m.Get(kLimits[i].name, kLimits[i].id, [i](SizeConstraint& self, Args) -> Result<Variant> {
        return Variant(self.Get(static_cast<Limit>(i)));
      });
    }
    return m;
  }();
  return members;
}

void SizeConstraint::Set(Limit limit, std::int32_t twips) {
  limits_[limit] = twips;
  PropertyChanged(kLimits[limit].name);
  Reapply();
}

std::int32_t SizeConstraint::WindowProc(window::Handle, std::uint32_t, std::intptr_t,
                                        std::intptr_t lParam) {
  if (lParam == 0) return 0;
  // The record is the caller's; it is copied in and out as the desktop's is.
  window::MinMaxInfo info;
  std::memcpy(&info, reinterpret_cast<const void*>(lParam), sizeof info);
  const ui::Backend& backend = ui::CurrentBackend();
  const int per_x = std::max(1, backend.TwipsPerPixelX());
  const int per_y = std::max(1, backend.TwipsPerPixelY());
  if (limits_[kMinWidth] != -1) info.min_track_size.x = limits_[kMinWidth] / per_x;
  if (limits_[kMinHeight] != -1) info.min_track_size.y = limits_[kMinHeight] / per_y;
  if (limits_[kMaxWidth] != -1) info.max_track_size.x = limits_[kMaxWidth] / per_x;
  if (limits_[kMaxHeight] != -1) info.max_track_size.y = limits_[kMaxHeight] / per_y;
  std::memcpy(reinterpret_cast<void*>(lParam), &info, sizeof info);
  return 0;
}

void SizeConstraint::Hook() {
  if (hooked_ != 0 || !UserMode()) return;
  ui::Form* form = OwnerForm();
  if (form == nullptr || form->hWnd() == 0) return;
  // Refused only for a window that is gone or not ours; the form then stays unlimited.
  if (AttachMessage(*this, form->hWnd(), window::kGetMinMaxInfo)) hooked_ = form->hWnd();
  Reapply();
}

void SizeConstraint::Unhook() {
  if (hooked_ == 0) return;
  DetachMessage(*this, hooked_, window::kGetMinMaxInfo);
  hooked_ = 0;
}

void SizeConstraint::Reapply() {
  if (hooked_ == 0) return;
  ui::Form* form = OwnerForm();
  if (form == nullptr || form->hWnd() != hooked_) return;
  // Setting the size it has makes the form ask for its limits and keep within them.
  (void)form->SetClientSize(form->ScaleWidth(), form->ScaleHeight());
}

void SizeConstraint::OnInitProperties() {
  for (std::int32_t& limit : limits_)
    limit = -1;
  Hook();
}

void SizeConstraint::OnReadProperties(ui::PropertyBag& bag) {
  for (int i = 0; i < 4; ++i) {
    if (auto stored = bag.ReadProperty(kLimits[i].name, -1)) {
      if (auto number = ui::members::FromVariant<int>(*stored)) limits_[i] = *number;
    }
  }
  Hook();
}

void SizeConstraint::OnWriteProperties(ui::PropertyBag& bag) {
  for (int i = 0; i < 4; ++i)
    RaiseIfFailed(bag.WriteProperty(kLimits[i].name, limits_[i], -1));
}

void SizeConstraint::OnResize() {
  const ui::Backend& backend = ui::CurrentBackend();
  (void)SetSize(kPixels * backend.TwipsPerPixelX(), kPixels * backend.TwipsPerPixelY());
}

void SizeConstraint::OnPaint() {
  // Only on a design surface: a small frame with a corner mark, so that it can be found
  // on a form. A running form shows nothing of it.
  if (UserMode()) return;
  const int w = Width();
  const int h = Height();
  Drawing().DrawFrame({0, 0, w, h}, ui::system_color::kButtonShadow);
  Drawing().DrawLine(w / 4, h * 3 / 4, w * 3 / 4, h / 4, ui::system_color::kButtonText);
  Drawing().DrawLine(w / 2, h / 4, w * 3 / 4, h / 4, ui::system_color::kButtonText);
  Drawing().DrawLine(w * 3 / 4, h / 4, w * 3 / 4, h / 2, ui::system_color::kButtonText);
}

void SizeConstraint::OnShow() {
  Hook();
}

void SizeConstraint::OnTerminate() {
  Unhook();
}

}  // namespace feriant::lumatrel
