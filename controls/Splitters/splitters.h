#pragma once
// HorzSplitter and VertSplitter: a bar 60 twips thick between two controls of the same
// form. HorzSplitter is a vertical bar between a left and a right control and is dragged
// sideways; VertSplitter lies between a top and a bottom control and is dragged up and
// down. Dragging moves the bar and resizes both controls, never below the minimum size
// each one was given (300 twips unless set).
//
// The two controls are set at run time (put by reference; Nothing empties a side) and
// are not persisted; the splitter holds them until the form unloads. Every mouse move
// over the bar raises Move, also without a drag. The mouse is captured from the press
// until the release. Lengths are twips. The user-interface thread only.

#include <cstdint>
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

  // The control before the bar (left or top) and after it (right or bottom).
  automation::ObjectRef before;
  automation::ObjectRef after;
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

class HorzSplitter final : public ui::UserControlImpl<HorzSplitter> {
 public:
  HorzSplitter();
  // _HorzSplitter in slot order: LeftControl, RightControl (get, put by reference),
  // RightControlMinWidth, LeftControlMinWidth (get, put).
  static const automation::Members<HorzSplitter>& Interface();

  SplitterBar& Bar() { return bar_; }

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnTerminate() override;
  void OnMouseDown(int button, int shift_state, int x, int y) override;
  void OnMouseUp(int button, int shift_state, int x, int y) override;
  void OnMouseMove(int buttons, int shift_state, int x, int y) override;

 private:
  SplitterBar bar_{SplitterBar::Axis::kX};
};

class VertSplitter final : public ui::UserControlImpl<VertSplitter> {
 public:
  VertSplitter();
  // _VertSplitter in slot order: TopControl, BottomControl (get, put by reference),
  // BottomControlMinHeight, TopControlMinHeight (get, put).
  static const automation::Members<VertSplitter>& Interface();

  SplitterBar& Bar() { return bar_; }

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnTerminate() override;
  void OnMouseDown(int button, int shift_state, int x, int y) override;
  void OnMouseUp(int button, int shift_state, int x, int y) override;
  void OnMouseMove(int buttons, int shift_state, int x, int y) override;

 private:
  SplitterBar bar_{SplitterBar::Axis::kY};
};

}  // namespace feriant::lumatrel
