#pragma once
// The mirrors of the model's spin buttons, progress bars, frames and option buttons, as in
// mirror_widgets.h: they copy the control's state into a native widget and send the
// person's presses back through ui::input; the control's state changes only there.
// The user-interface thread only.

#include <QGroupBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "platform/ui/controls/frame.h"
#include "platform/ui/controls/option_button.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui_qt/mirror_widgets.h"

namespace feriant::ui_qt::internal {

// Two arrow buttons, up above down, that repeat while held.
class UpDownMirror final : public QWidget, public Mirror {
 public:
  UpDownMirror(const RenderContext& context, ui::UpDown& spin, QWidget* parent);
  QToolButton& UpButton() const { return *up_; }
  QToolButton& DownButton() const { return *down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

class ProgressBarMirror final : public QProgressBar, public Mirror {
 public:
  ProgressBarMirror(const RenderContext& context, ui::ProgressBar& bar, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
};

class FrameMirror final : public QGroupBox, public Mirror {
 public:
  FrameMirror(const RenderContext& context, ui::Frame& frame, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  // The classic frame: the control's colour inside and out, an etched border whose top
  // line runs through the middle of the caption.
  void paintEvent(QPaintEvent* event) override;
  // The caption's access key goes to the form, which moves the focus as a label's does.
  bool event(QEvent* event) override;
};

class OptionButtonMirror final : public QRadioButton, public Mirror {
 public:
  OptionButtonMirror(const RenderContext& context, ui::OptionButton& option, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  // The control decides the value; Qt only shows it.
  void nextCheckState() override {}
  void focusInEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace feriant::ui_qt::internal
