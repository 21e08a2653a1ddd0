#pragma once
// HorzSplitter and VertSplitter: a bar 60 twips thick between two controls of the same
// form. HorzSplitter is a vertical bar between a left and a right control and is dragged
// sideways; VertSplitter lies between a top and a bottom control and is dragged up and
// down. Dragging moves the bar and resizes both controls, never below the minimum size
// each one was given (300 twips unless set).
//
// The two controls are set at run time (put by reference; Nothing empties a side) and
// are not persisted; the splitter forgets them when the form unloads. Every mouse move
// over the bar raises Move, also without a drag. The mouse is captured from the press
// until the release. Lengths are twips. The user-interface thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

// What both bars share: the two neighbours, their minimum sizes along the bar's axis,
// and the drag. `Axis` names the coordinate the bar moves along.
class SplitterBar {
 public:
  enum class Axis { kX, kY };
  explicit SplitterBar(Axis axis) : axis_(axis) {}

  // The control before the bar (left or top) and after it (right or bottom). Held weakly:
  // a control removed from the form counts as none, and a bar given itself is no cycle.
  std::weak_ptr<automation::Dispatch> before;
  std::weak_ptr<automation::Dispatch> after;
  std::int32_t before_min = 300;
  std::int32_t after_min = 300;

  bool Dragging() const { return dragging_; }
  // `position` is the mouse's coordinate along the axis, in the bar's twips.
  void Press(ui::Extender* bar, int button, double position);
  void Release(ui::Extender* bar, int button);
  // Moves the bar and resizes the neighbours when a drag is on; each step that fails is
  // skipped. The caller raises Move first.
  void Drag(ui::Extender* bar, int buttons, double position);

 private:
  // Left/Width or Top/Height, by name: the neighbours may be any control.
  const char* Start() const { return axis_ == Axis::kX ? "Left" : "Top"; }
  const char* Extent() const { return axis_ == Axis::kX ? "Width" : "Height"; }

  Axis axis_;
  bool dragging_ = false;
  std::int32_t grab_ = 0;
};

// One bar along `A`: Splitter<kX> is HorzSplitter, Splitter<kY> VertSplitter.
//   _HorzSplitter in slot order: LeftControl, RightControl (get, put by reference),
//   RightControlMinWidth, LeftControlMinWidth (get, put).
//   _VertSplitter: TopControl, BottomControl, BottomControlMinHeight, TopControlMinHeight.
template <SplitterBar::Axis A>
class Splitter final : public ui::UserControlImpl<Splitter<A>> {
 public:
  Splitter();
  static const automation::Members<Splitter>& Interface();

  SplitterBar& Bar() { return bar_; }

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnPaint() override;
  void OnTerminate() override;
  void OnMouseDown(int button, int shift_state, int x, int y) override;
  void OnMouseUp(int button, int shift_state, int x, int y) override;
  void OnMouseMove(int buttons, int shift_state, int x, int y) override;

 private:
  SplitterBar bar_{A};
};

using HorzSplitter = Splitter<SplitterBar::Axis::kX>;
using VertSplitter = Splitter<SplitterBar::Axis::kY>;
extern template class Splitter<SplitterBar::Axis::kX>;
extern template class Splitter<SplitterBar::Axis::kY>;

}  // namespace feriant::lumatrel
