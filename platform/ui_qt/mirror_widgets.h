#pragma once
// The widgets that mirror the model's controls and surfaces, inside the Qt renderer.
//
// A mirror reads the model whenever it applies or paints, so the model stays the only
// owner of state: Apply() copies what a Qt widget must hold itself (geometry, visibility,
// enabled state, the texts of native widgets), and painting reads captions, colours,
// fonts and pictures from the control at that moment. A mirror holds its control weakly;
// once the control leaves its surface the mirror is detached and ignores input until Qt
// deletes it. Input goes back to the model through ui::input; focus changes and resizes
// made by Qt are passed on from the event loop, never from inside a model notification.
// Windowless controls (labels, images, lines) are stacked below the windowed ones of the
// same surface, as the original platform draws them on the surface itself.
// The user-interface thread only.

#include <memory>

#include <QCheckBox>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/property_page.h"
#include "platform/ui_qt/text_metrics.h"

class QKeyEvent;
class QMouseEvent;
class QShortcut;

namespace feriant::ui_qt::internal {

class KeyRouter;

// What every mirror needs of the renderer; owned by the renderer, outlives its mirrors.
struct RenderContext {
  int twips_per_pixel_x = 15;
  int twips_per_pixel_y = 15;
  const TextMetrics* metrics = nullptr;
};

// A model colour on screen (system colours through the current backend's scheme).
QColor ToQColor(ui::OleColor color);
// shift::* bits of keyboard modifiers; mouse_button::* of a Qt button (0: none of them).
int ShiftStateOf(Qt::KeyboardModifiers modifiers);
int MouseButtonOf(Qt::MouseButton button);
// The cursor of a mouse_pointer::* value.
Qt::CursorShape CursorShapeOf(int pointer);
// The model's key code of a Qt key (13 Enter, 27 Esc, 65 'A', 112 F1, ...); 0 for keys
// the model has no code for.
int KeyCodeOf(const QKeyEvent& event);

class Mirror {
 public:
  Mirror(const RenderContext& context, ui::Control& control, QWidget& widget);
  virtual ~Mirror();
  Mirror(const Mirror&) = delete;
  Mirror& operator=(const Mirror&) = delete;

  // The control while it is alive and attached; nullptr after Detach().
  std::shared_ptr<ui::Control> Model() const;
  bool IsMirrorOf(const ui::Control& control) const;
  void Detach();
  QWidget& Widget() const { return widget_; }

  virtual bool Windowless() const { return false; }
  // Copies the model's state into the widget and schedules a repaint.
  void Apply();
  // The control's picture changed (pixels or object).
  virtual void PictureChanged() { widget_.update(); }
  // One of the control's items changed (lists and trees keep items of their own).
  virtual void ItemsChanged(const ui::ItemChange& /*change*/) {}

 protected:
  virtual QRect Geometry(const ui::Control& control) const;
  virtual bool VisibleOnScreen(const ui::Control& control) const { return control.Visible(); }
  virtual void ApplyOwn(ui::Control& /*control*/) {}

  const RenderContext& context() const { return context_; }
  // Mouse input of windowless controls and picture boxes: MouseDown, MouseUp, and a
  // left-button release inside the control is a Click (except the release that ends a
  // double click). A double click is DblClick alone: its second press is no MouseDown.
  void ForwardPress(const QMouseEvent& event);
  void ForwardRelease(const QMouseEvent& event, bool click);
  void ForwardMove(const QMouseEvent& event);
  void ForwardDoubleClick(const QMouseEvent& event);
  // Tells the model, from the event loop, that the widget took the keyboard focus.
  void ForwardFocus();
  // Alt with `key_code` (the control's access key) to the control's form, which presses
  // the control that the key belongs to.
  void ForwardAccessKey(int key_code);
  // Qt's own mnemonic of a caption (a shortcut event) goes to the form as its access key:
  // the form decides by the window's rule what it does, never Qt. True when `event` was
  // one (not on a property page, which has no form: there Qt's mnemonic acts).
  bool RouteAccessKey(QEvent& event);

 private:
  const RenderContext& context_;
  std::weak_ptr<automation::Dispatch> model_;
  ui::Control* control_;
  QWidget& widget_;
  KeyRouter* key_router_;
  bool double_clicked_ = false;
};

class LabelMirror final : public QWidget, public Mirror {
 public:
  LabelMirror(const RenderContext& context, ui::Label& label, QWidget* parent);
  bool Windowless() const override { return true; }

 protected:
  // The caption's access key becomes a shortcut of the window, so that Alt with it never
  // reaches the control that has the focus as typed text.
  void ApplyOwn(ui::Control& control) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QShortcut* access_key_;
};

class ButtonMirror final : public QPushButton, public Mirror {
 public:
  ButtonMirror(const RenderContext& context, ui::CommandButton& button, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
};

class CheckBoxMirror final : public QCheckBox, public Mirror {
 public:
  CheckBoxMirror(const RenderContext& context, ui::CheckBox& check_box, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  // The model toggles the value; Qt only shows it.
  void nextCheckState() override {}
  void focusInEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
};

// The caret and the selection are the control's too: the person's go to the control
// (SelStart, SelLength), and the control's are shown.
class TextBoxMirror final : public QLineEdit, public Mirror {
 public:
  TextBoxMirror(const RenderContext& context, ui::TextBox& text_box, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void ForwardSelection();

  bool quiet_ = false;  // while the widget follows the control or an edit goes to it
};

class MultiLineTextBoxMirror final : public QPlainTextEdit, public Mirror {
 public:
  MultiLineTextBoxMirror(const RenderContext& context, ui::TextBox& text_box, QWidget* parent);

 protected:
  void ApplyOwn(ui::Control& control) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  bool applying_ = false;  // setPlainText from the model is not an edit
};

// An image or a picture box: the picture's pixels, cached until they change.
class PictureMirror final : public QWidget, public Mirror {
 public:
  PictureMirror(const RenderContext& context, ui::Image& image, QWidget* parent);
  PictureMirror(const RenderContext& context, ui::PictureBox& box, QWidget* parent);
  bool Windowless() const override { return image_control_; }
  void PictureChanged() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool image_control_;
  bool cache_valid_ = false;
  QImage cache_;
};

class LineMirror final : public QWidget, public Mirror {
 public:
  LineMirror(const RenderContext& context, ui::Line& line, QWidget* parent);
  bool Windowless() const override { return true; }

 protected:
  QRect Geometry(const ui::Control& control) const override;
  bool VisibleOnScreen(const ui::Control& control) const override;
  void paintEvent(QPaintEvent* event) override;
};

// The surface of a sited user control; its constituent controls are its children. It
// shows the control's background and what the control drew when it last painted, and
// passes the mouse on the surface itself (moves too, with or without a button held)
// to the control.
class ExtenderMirror final : public QWidget, public Mirror {
 public:
  ExtenderMirror(const RenderContext& context, ui::Extender& extender, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A form's client area: a top-level window, or a child widget when a program embeds the
// form. The close box asks the form to unload; a resize by the person, and a key that no
// control took, go to the form.
class FormSurface final : public QWidget {
 public:
  FormSurface(const RenderContext& context, ui::Form& form, QWidget* parent);

  bool IsSurfaceOf(const ui::Form& form) const;
  // The form while it is alive; nullptr after Detach().
  std::shared_ptr<ui::Form> Model() const;
  void Detach() { form_.reset(); }
  // Size, caption, frame and colours from the model.
  void ApplyForm();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ReportSize();

  const RenderContext& context_;
  std::weak_ptr<automation::Dispatch> form_;
  ui::Form* address_;
  bool size_report_pending_ = false;
};

// A property page's surface, shown by a program inside its own dialog.
class PageSurface final : public QWidget {
 public:
  PageSurface(const RenderContext& context, ui::PropertyPage& page, QWidget* parent);
  bool IsSurfaceOf(const ui::PropertyPage& page) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::weak_ptr<automation::Dispatch> page_;
  const ui::PropertyPage* address_;
};

}  // namespace feriant::ui_qt::internal
