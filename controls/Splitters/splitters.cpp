#include "controls/Splitters/splitters.h"

#include <cmath>
#include <span>
#include <string_view>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/input_codes.h"
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

// The names one bar gives to its two neighbours and their minimum sizes.
struct Names {
  const char* before;      // LeftControl / TopControl
  const char* after;       // RightControl / BottomControl
  const char* after_min;   // RightControlMinWidth / BottomControlMinHeight
  const char* before_min;  // LeftControlMinWidth / TopControlMinHeight
};
constexpr Names kHorz{"LeftControl", "RightControl", "RightControlMinWidth", "LeftControlMinWidth"};
constexpr Names kVert{"TopControl", "BottomControl", "BottomControlMinHeight",
                      "TopControlMinHeight"};

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
automation::Members<T> MakeMembers(const Names& names, automation::DispId before_id,
                                   automation::DispId after_id, automation::DispId after_min_id,
                                   automation::DispId before_min_id) {
  using Args = std::span<Variant>;
  automation::Members<T> m;
  auto neighbour = [&m](const char* name, automation::DispId id, ObjectRef SplitterBar::*side) {
    m.Get(name, id, [side](T& self, Args) -> Result<Variant> {
       return Variant(self.Bar().*side);
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
  neighbour(names.before, before_id, &SplitterBar::before);
  neighbour(names.after, after_id, &SplitterBar::after);
  minimum(names.after_min, after_min_id, &SplitterBar::after_min);
  minimum(names.before_min, before_min_id, &SplitterBar::before_min);
  return m;
}

void ReadMinimums(ui::PropertyBag& bag, const Names& names, SplitterBar& bar) {
  for (auto [key, field] : {std::pair{names.after_min, &SplitterBar::after_min},
                            std::pair{names.before_min, &SplitterBar::before_min}}) {
    if (auto stored = bag.ReadProperty(key, 300)) {
      if (auto number = ui::members::FromVariant<int>(*stored)) bar.*field = *number;
    }
  }
}

void WriteMinimums(ui::PropertyBag& bag, const Names& names, const SplitterBar& bar) {
  RaiseIfFailed(bag.WriteProperty(names.after_min, bar.after_min, 300));
  RaiseIfFailed(bag.WriteProperty(names.before_min, bar.before_min, 300));
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
  if (!before || !after) return;
  if ((buttons & ui::mouse_button::kLeft) == 0) dragging_ = false;
  if (!dragging_ || bar == nullptr) return;
  // Positive: the mouse went towards the control before the bar.
  std::int32_t d = grab_ - Round(position);
  const auto before_length = Length(before, Extent());
  const auto after_length = Length(after, Extent());
  if (d > 0 && before_length && *before_length - d < before_min) d = *before_length - before_min;
  if (d < 0 && after_length && *after_length + d < after_min) d = after_min - *after_length;
  if (d == 0) return;
  if (axis_ == Axis::kX) {
    (void)bar->SetLeft(bar->Left() - d);
  } else {
    (void)bar->SetTop(bar->Top() - d);
  }
  AddTo(before, Extent(), -d);
  AddTo(after, Extent(), d);
  AddTo(after, Start(), -d);
}

HorzSplitter::HorzSplitter()
    : UserControlImpl("HorzSplitter", horz_splitter::kClassId, horz_splitter::kEventInterfaceId) {
  SetInitialSize(kThickness, kDesignLength);
  (void)SetBackColor(ui::system_color::kButtonFace);
}

const automation::Members<HorzSplitter>& HorzSplitter::Interface() {
  namespace ids = horz_splitter::dispid;
  static const auto members =
      MakeMembers<HorzSplitter>(kHorz, ids::kLeftControl, ids::kRightControl,
                                ids::kRightControlMinWidth, ids::kLeftControlMinWidth);
  return members;
}

void HorzSplitter::OnInitProperties() {
  bar_.before_min = bar_.after_min = 300;
  SetPointer(Site(), kPointerSizeWE);
}

void HorzSplitter::OnReadProperties(ui::PropertyBag& bag) {
  ReadMinimums(bag, kHorz, bar_);
  SetPointer(Site(), kPointerSizeWE);
}

void HorzSplitter::OnWriteProperties(ui::PropertyBag& bag) {
  WriteMinimums(bag, kHorz, bar_);
}

void HorzSplitter::OnResize() {
  if (Width() != kThickness) (void)SetWidth(kThickness);
}

void HorzSplitter::OnTerminate() {
  bar_.before = bar_.after = nullptr;
}

void HorzSplitter::OnMouseDown(int button, int, int x, int) {
  bar_.Press(Site(), button, x);
}

void HorzSplitter::OnMouseUp(int button, int, int, int) {
  bar_.Release(Site(), button);
}

void HorzSplitter::OnMouseMove(int buttons, int, int x, int) {
  RaiseEvent(splitter_event::kMove);
  bar_.Drag(Site(), buttons, x);
}

VertSplitter::VertSplitter()
    : UserControlImpl("VertSplitter", vert_splitter::kClassId, vert_splitter::kEventInterfaceId) {
  SetInitialSize(kDesignLength, kThickness);
  (void)SetBackColor(ui::system_color::kButtonFace);
}

const automation::Members<VertSplitter>& VertSplitter::Interface() {
  namespace ids = vert_splitter::dispid;
  static const auto members =
      MakeMembers<VertSplitter>(kVert, ids::kTopControl, ids::kBottomControl,
                                ids::kBottomControlMinHeight, ids::kTopControlMinHeight);
  return members;
}

void VertSplitter::OnInitProperties() {
  bar_.before_min = bar_.after_min = 300;
  SetPointer(Site(), kPointerSizeNS);
}

void VertSplitter::OnReadProperties(ui::PropertyBag& bag) {
  ReadMinimums(bag, kVert, bar_);
  SetPointer(Site(), kPointerSizeNS);
}

void VertSplitter::OnWriteProperties(ui::PropertyBag& bag) {
  WriteMinimums(bag, kVert, bar_);
}

void VertSplitter::OnResize() {
  if (Height() != kThickness) (void)SetHeight(kThickness);
}

void VertSplitter::OnTerminate() {
  bar_.before = bar_.after = nullptr;
}

void VertSplitter::OnMouseDown(int button, int, int, int y) {
  bar_.Press(Site(), button, y);
}

void VertSplitter::OnMouseUp(int button, int, int, int) {
  bar_.Release(Site(), button);
}

void VertSplitter::OnMouseMove(int buttons, int, int, int y) {
  RaiseEvent(splitter_event::kMove);
  bar_.Drag(Site(), buttons, y);
}

}  // namespace feriant::lumatrel
