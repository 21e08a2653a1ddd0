#include "controls/Splitters/splitters.h"

#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::ObjectRef;
using automation::Variant;

constexpr int kThickness = 60;  // of the bar across its axis
constexpr int kDesignLength = 1500;
// Mouse pointers of the bar at rest: the sizing arrows along its axis.
constexpr int kPointerSizeWE = 9;
constexpr int kPointerSizeNS = 7;

// What differs between the two bars.
struct Traits {
  const char* type_name;
  const automation::Guid* class_id;
  const automation::Guid* event_interface_id;
  int pointer;  // the sizing arrows along the axis
  // Names and dispatch ids in slot order: the control before the bar, the one after,
  // the minimum after, the minimum before.
  const char* names[4];
  automation::DispId ids[4];
};

constexpr Traits kHorz{
    "HorzSplitter",
    &horz_splitter::kClassId,
    &horz_splitter::kEventInterfaceId,
    kPointerSizeWE,
    {"LeftControl", "RightControl", "RightControlMinWidth", "LeftControlMinWidth"},
    {horz_splitter::dispid::kLeftControl, horz_splitter::dispid::kRightControl,
     horz_splitter::dispid::kRightControlMinWidth, horz_splitter::dispid::kLeftControlMinWidth}};
constexpr Traits kVert{
    "VertSplitter",
    &vert_splitter::kClassId,
    &vert_splitter::kEventInterfaceId,
    kPointerSizeNS,
    {"TopControl", "BottomControl", "BottomControlMinHeight", "TopControlMinHeight"},
    {vert_splitter::dispid::kTopControl, vert_splitter::dispid::kBottomControl,
     vert_splitter::dispid::kBottomControlMinHeight, vert_splitter::dispid::kTopControlMinHeight}};

constexpr const Traits& TraitsOf(SplitterBar::Axis axis) {
  return axis == SplitterBar::Axis::kX ? kHorz : kVert;
}

// A length of a neighbour, read late-bound; none when it cannot be read.
std::optional<std::int32_t> Length(const ObjectRef& control, const char* name) {
  auto value = control->Get(name);
  if (!value) return std::nullopt;
  auto number = value->ToI4();
  if (!number) return std::nullopt;
  return *number;
}

void AddTo(const ObjectRef& control, const char* name, std::int32_t delta) {
  if (auto length = Length(control, name)) (void)control->Put(name, *length + delta);
}

std::int32_t Round(double position) {
  return static_cast<std::int32_t>(std::lround(position));
}

// The members of either bar, in slot order: the two neighbours, then the minimums.
template <class T>
automation::Members<T> MakeMembers(const Traits& traits) {
  using Args = std::span<Variant>;
  automation::Members<T> m;
  using Side = std::weak_ptr<automation::Dispatch> SplitterBar::*;
  auto neighbour = [&m](const char* name, automation::DispId id, Side side) {
    m.Get(name, id, [side](T& self, Args) -> Result<Variant> {
       return Variant((self.Bar().*side).lock());
     }).PutRef(name, id, [side](T& self, Args args) -> Status {
      auto object = args.back().ToObject();
      if (!object) return object.error();
      self.Bar().*side = *object;
      return Ok();
    });
  };
  auto minimum = [&m](const char* name, automation::DispId id, std::int32_t SplitterBar::*field) {
    m.Get(name, id, [field](T& self, Args) -> Result<Variant> {
       return Variant(self.Bar().*field);
     }).Put(name, id, [name, field](T& self, Args args) -> Status {
      auto number = ui::members::FromVariant<int>(args.back());
      if (!number) return number.error();
      self.Bar().*field = *number;
      self.PropertyChanged(name);
      return Ok();
    });
  };
  neighbour(traits.names[0], traits.ids[0], &SplitterBar::before);
  neighbour(traits.names[1], traits.ids[1], &SplitterBar::after);
  minimum(traits.names[2], traits.ids[2], &SplitterBar::after_min);
  minimum(traits.names[3], traits.ids[3], &SplitterBar::before_min);
  return m;
}

void ReadMinimums(ui::PropertyBag& bag, const Traits& traits, SplitterBar& bar) {
  for (auto [key, field] : {std::pair{traits.names[2], &SplitterBar::after_min},
                            std::pair{traits.names[3], &SplitterBar::before_min}}) {
    if (auto stored = bag.ReadProperty(key, 300)) {
      if (auto number = ui::members::FromVariant<int>(*stored)) bar.*field = *number;
    }
  }
}

void WriteMinimums(ui::PropertyBag& bag, const Traits& traits, const SplitterBar& bar) {
  RaiseIfFailed(bag.WriteProperty(traits.names[2], bar.after_min, 300));
  RaiseIfFailed(bag.WriteProperty(traits.names[3], bar.before_min, 300));
}

// At rest the bar is a raised ridge along its length: lit on its first edge, shadowed on
// its last.
void DrawRidge(ui::Canvas& canvas, int width, int height, bool along_y) {
  const int px = ui::CurrentBackend().TwipsPerPixelX();
  const int py = ui::CurrentBackend().TwipsPerPixelY();
  if (along_y) {
    canvas.DrawLine(0, 0, 0, height, ui::system_color::kButtonHighlight);
    canvas.DrawLine(width - px, 0, width - px, height, ui::system_color::kButtonShadow);
  } else {
    canvas.DrawLine(0, 0, width, 0, ui::system_color::kButtonHighlight);
    canvas.DrawLine(0, height - py, width, height - py, ui::system_color::kButtonShadow);
  }
}

void SetPointer(ui::Extender* site, int pointer) {
  if (site != nullptr) site->SetMousePointer(pointer);
}

}  // namespace

void SplitterBar::Press(ui::Extender* bar, int button, double position) {
  if (button != ui::mouse_button::kLeft) return;
  dragging_ = true;
  grab_ = Round(position);
  if (bar != nullptr) (void)bar->SetCapture();
}

void SplitterBar::Release(ui::Extender* bar, int button) {
  if (button != ui::mouse_button::kLeft) return;
  dragging_ = false;
  if (bar != nullptr) bar->ReleaseCapture();
}

void SplitterBar::Drag(ui::Extender* bar, int buttons, double position) {
  const ObjectRef before_control = before.lock();
  const ObjectRef after_control = after.lock();
  if (!before_control || !after_control) return;
  if ((buttons & ui::mouse_button::kLeft) == 0) dragging_ = false;
  if (!dragging_ || bar == nullptr) return;
  // Positive: the mouse went towards the control before the bar.
  std::int32_t d = grab_ - Round(position);
  const auto before_length = Length(before_control, Extent());
  const auto after_length = Length(after_control, Extent());
  if (d > 0 && before_length && *before_length - d < before_min) d = *before_length - before_min;
  if (d < 0 && after_length && *after_length + d < after_min) d = after_min - *after_length;
  if (d == 0) return;
  if (axis_ == Axis::kX) {
    (void)bar->SetLeft(bar->Left() - d);
  } else {
    (void)bar->SetTop(bar->Top() - d);
  }
  AddTo(before_control, Extent(), -d);
  AddTo(after_control, Extent(), d);
  AddTo(after_control, Start(), -d);
}

template <SplitterBar::Axis A>
Splitter<A>::Splitter()
    : ui::UserControlImpl<Splitter<A>>(TraitsOf(A).type_name, *TraitsOf(A).class_id,
                                       *TraitsOf(A).event_interface_id) {
  if constexpr (A == SplitterBar::Axis::kX) {
    this->SetInitialSize(kThickness, kDesignLength);
  } else {
    this->SetInitialSize(kDesignLength, kThickness);
  }
  (void)this->SetBackColor(ui::system_color::kButtonFace);
}

template <SplitterBar::Axis A>
const automation::Members<Splitter<A>>& Splitter<A>::Interface() {
  static const auto members = MakeMembers<Splitter<A>>(TraitsOf(A));
  return members;
}

template <SplitterBar::Axis A>
void Splitter<A>::OnInitProperties() {
  bar_.before_min = bar_.after_min = 300;
  SetPointer(this->Site(), TraitsOf(A).pointer);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnReadProperties(ui::PropertyBag& bag) {
  ReadMinimums(bag, TraitsOf(A), bar_);
  SetPointer(this->Site(), TraitsOf(A).pointer);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnWriteProperties(ui::PropertyBag& bag) {
  WriteMinimums(bag, TraitsOf(A), bar_);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnResize() {
  if constexpr (A == SplitterBar::Axis::kX) {
    if (this->Width() != kThickness) (void)this->SetWidth(kThickness);
  } else {
    if (this->Height() != kThickness) (void)this->SetHeight(kThickness);
  }
}

template <SplitterBar::Axis A>
void Splitter<A>::OnPaint() {
  DrawRidge(this->Drawing(), this->Width(), this->Height(), A == SplitterBar::Axis::kX);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnTerminate() {
  bar_.before.reset();
  bar_.after.reset();
}

template <SplitterBar::Axis A>
void Splitter<A>::OnMouseDown(int button, int, int x, int y) {
  bar_.Press(this->Site(), button, A == SplitterBar::Axis::kX ? x : y);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnMouseUp(int button, int, int, int) {
  bar_.Release(this->Site(), button);
}

template <SplitterBar::Axis A>
void Splitter<A>::OnMouseMove(int buttons, int, int x, int y) {
  this->RaiseEvent(splitter_event::kMove);
  bar_.Drag(this->Site(), buttons, A == SplitterBar::Axis::kX ? x : y);
}

template class Splitter<SplitterBar::Axis::kX>;
template class Splitter<SplitterBar::Axis::kY>;

}  // namespace feriant::lumatrel
