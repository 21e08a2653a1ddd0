#pragma once
// Image and PictureBox: controls that show a picture.
//
// Image is windowless. Without Stretch it takes the size of its picture (HIMETRIC
// converted to twips) whenever a non-empty picture is set; with Stretch the picture is
// scaled to the control. An empty picture leaves the size alone.
//
// PictureBox is a window that shows its picture at the top-left and can contain other
// controls. Its scale is twips (ScaleMode 1) or pixels (3); Point and PSet read and write
// single pixels of its picture in scale units, which is how a control blends a bitmap.
// It has no border, so its scale area is its whole extent. The user-interface thread only.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui {

namespace scale_mode {
inline constexpr int kTwips = 1;
inline constexpr int kPixels = 3;
}  // namespace scale_mode

// The picture a control shows: never null (the empty picture when none is set), and
// every change to it, a new picture or a change inside the one held, is reported
// through `changed`.
class HeldPicture {
 public:
  explicit HeldPicture(std::function<void()> changed);
  HeldPicture(const HeldPicture&) = delete;
  HeldPicture& operator=(const HeldPicture&) = delete;
  ~HeldPicture();

  const std::shared_ptr<StdPicture>& get() const { return picture_; }
  const std::shared_ptr<StdPicture>& operator->() const { return picture_; }
  // Holds `picture` (null: the empty one) and reports the change; false, and nothing
  // reported, when that picture is held already.
  bool Set(std::shared_ptr<StdPicture> picture);

 private:
  std::function<void()> changed_;
  std::shared_ptr<StdPicture> picture_;
  Event<>::Connection connection_ = 0;
};

class Image final : public ControlImpl<Image> {
 public:
  Image();
  static const automation::Members<Image>& Interface();
  std::string ClassName() const override { return "Image"; }

  // Never null: an empty picture when none is set.
  const std::shared_ptr<StdPicture>& Picture() const { return picture_.get(); }
  void SetPicture(std::shared_ptr<StdPicture> picture);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

  Event<>& Click() { return click_; }
  MouseEvent& MouseDown() { return mouse_down_; }
  MouseEvent& MouseUp() { return mouse_up_; }

  Status InputClick() override;
  Status InputMouse(const MouseInput& input) override;

 private:
  void FitToPicture();

  HeldPicture picture_{[this] { NotifyChanged("Picture"); }};
  bool stretch_ = false;
  Event<> click_;
  MouseEvent mouse_down_;
  MouseEvent mouse_up_;
};

class PictureBox final : public ControlImpl<PictureBox> {
 public:
  PictureBox();
  static const automation::Members<PictureBox>& Interface();
  std::string ClassName() const override { return "PictureBox"; }
  bool CanContain() const override { return true; }
  bool CanFocus() const override { return true; }

  // Never null: an empty picture when none is set.
  const std::shared_ptr<StdPicture>& Picture() const { return picture_.get(); }
  void SetPicture(std::shared_ptr<StdPicture> picture);
  bool AutoRedraw() const { return auto_redraw_; }
  void SetAutoRedraw(bool value);
  // AutoSize: the box takes the size of a non-empty picture.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  int ScaleMode() const { return scale_mode_; }
  Status SetScaleMode(int mode);  // 1 twips or 3 pixels
  double ScaleWidth() const;
  double ScaleHeight() const;
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }

  // The pixel of the picture at (x, y) in scale units; outside the picture an
  // invalid-procedure-call error.
  Result<OleColor> Point(double x, double y) const;
  Status PSet(double x, double y, OleColor color);

  Event<>& Click() { return click_; }
  MouseEvent& MouseDown() { return mouse_down_; }
  MouseEvent& MouseUp() { return mouse_up_; }

  Status InputClick() override;
  Status InputMouse(const MouseInput& input) override;

 private:
  void FitToPicture();
  // Scale units -> pixel.
  int PixelX(double x) const;
  int PixelY(double y) const;

  HeldPicture picture_{[this] { NotifyChanged("Picture"); }};
  bool auto_redraw_ = false;
  bool auto_size_ = false;
  int scale_mode_ = scale_mode::kTwips;
  OleColor back_color_ = system_color::kButtonFace;
  Event<> click_;
  MouseEvent mouse_down_;
  MouseEvent mouse_up_;
};

}  // namespace feriant::ui
