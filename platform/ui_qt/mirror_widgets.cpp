#include "platform/ui_qt/mirror_widgets.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <utility>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTimer>

#include "platform/ui/controls/standard_input.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/input.h"
#include "platform/ui_qt/drawing_replay.h"
#include "platform/ui_qt/key_router.h"
#include "platform/ui_qt/picture_image.h"
#include "platform/ui_qt/pixels.h"

namespace feriant::ui_qt::internal {
namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// The model keeps line breaks as CR LF; a multi-line editor shows and returns LF.
QString ToEditorText(const std::string& text) {
  QString result = ToQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

std::string FromEditorText(const QString& text) {
  QString result = text;
  result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return result.toStdString();
}

Qt::Alignment HorizontalAlignment(int alignment) {
  switch (alignment) {
    case ui::alignment::kRight:
      return Qt::AlignRight;
    case ui::alignment::kCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

Qt::PenStyle PenStyleOf(int border_style) {
  switch (border_style) {
    case 0:
      return Qt::NoPen;
    case 2:
      return Qt::DashLine;
    case 3:
      return Qt::DotLine;
    case 4:
      return Qt::DashDotLine;
    case 5:
      return Qt::DashDotDotLine;
    default:  // 1 solid, 6 inside solid
      return Qt::SolidLine;
  }
}

// The characters (code points) in the first `units` UTF-16 units of `text`, and the
// units of its first `characters` characters: the model counts characters.
int CharactersIn(const QString& text, int units) {
  return static_cast<int>(QStringView(text).left(units).toUcs4().size());
}

int UnitsOf(const QString& text, int characters) {
  int units = 0;
  for (int seen = 0; seen < characters && units < text.size(); ++seen)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  return units;
}

// The widest margin a line's widget keeps around its end points, in pixels.
constexpr int kMaxLineMargin = 256;

}  // namespace

QColor ToQColor(ui::OleColor color) {
  const ui::OleColor rgb = ui::ResolveColor(color);
  return QColor(ui::RedOf(rgb), ui::GreenOf(rgb), ui::BlueOf(rgb));
}

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  int state = 0;
  if (modifiers & Qt::ShiftModifier) state |= ui::shift::kShift;
  if (modifiers & Qt::ControlModifier) state |= ui::shift::kCtrl;
  if (modifiers & Qt::AltModifier) state |= ui::shift::kAlt;
  return state;
}

int MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return ui::mouse_button::kLeft;
    case Qt::RightButton:
      return ui::mouse_button::kRight;
    case Qt::MiddleButton:
      return ui::mouse_button::kMiddle;
    default:
      return 0;
  }
}

Qt::CursorShape CursorShapeOf(int pointer) {
  switch (pointer) {
    case 2:
      return Qt::CrossCursor;
    case 3:
      return Qt::IBeamCursor;
    case 5:
    case 15:
      return Qt::SizeAllCursor;
    case 6:
      return Qt::SizeBDiagCursor;
    case 7:
      return Qt::SizeVerCursor;
    case 8:
      return Qt::SizeFDiagCursor;
    case 9:
      return Qt::SizeHorCursor;
    case 10:
      return Qt::UpArrowCursor;
    case 11:
      return Qt::WaitCursor;
    case 12:
      return Qt::ForbiddenCursor;
    case 13:
      return Qt::BusyCursor;
    case 14:
      return Qt::WhatsThisCursor;
    case 99:
      return Qt::PointingHandCursor;
    default:  // 0 default, 1 arrow, 4 icon
      return Qt::ArrowCursor;
  }
}

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ui::key::kReturn;
    case Qt::Key_Escape:
      return ui::key::kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return ui::key::kTab;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

// ----------------------------------------------------------------------------- Mirror

Mirror::Mirror(const RenderContext& context, ui::Control& control, QWidget& widget)
    : context_(context),
      model_(control.weak_from_this()),
      control_(&control),
      widget_(widget),
      key_router_(new KeyRouter(*this)) {}

Mirror::~Mirror() {
  // The router refers to this mirror; it must not outlive it while the widget goes.
  delete key_router_;
}

std::shared_ptr<ui::Control> Mirror::Model() const {
  std::shared_ptr<automation::Dispatch> alive = model_.lock();
  if (!alive) return nullptr;
  return std::shared_ptr<ui::Control>(std::move(alive), control_);
}

bool Mirror::IsMirrorOf(const ui::Control& control) const {
  return control_ == &control && !model_.expired();
}

void Mirror::Detach() {
  model_.reset();
}

QRect Mirror::Geometry(const ui::Control& control) const {
  return PixelRect(control.Bounds(), context_.twips_per_pixel_x, context_.twips_per_pixel_y);
}

void Mirror::Apply() {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  const QRect geometry = Geometry(*control);
  if (widget_.geometry() != geometry) widget_.setGeometry(geometry);
  widget_.setEnabled(control->Enabled());
  if (control->MousePointer() != ui::mouse_pointer::kDefault) {
    widget_.setCursor(CursorShapeOf(control->MousePointer()));
  } else {
    widget_.unsetCursor();
  }
  ApplyOwn(*control);
  widget_.setVisible(VisibleOnScreen(*control));
  widget_.update();
}

void Mirror::ForwardPress(const QMouseEvent& event) {
  std::shared_ptr<ui::Control> control = Model();
  const int button = MouseButtonOf(event.button());
  if (!control || button == 0) return;
  const QPointF at = event.position();
  (void)ui::input::MouseDown(*control, button, ShiftStateOf(event.modifiers()),
                             static_cast<int>(at.x() * context_.twips_per_pixel_x),
                             static_cast<int>(at.y() * context_.twips_per_pixel_y));
}

void Mirror::ForwardRelease(const QMouseEvent& event, bool click) {
  std::shared_ptr<ui::Control> control = Model();
  const int button = MouseButtonOf(event.button());
  if (!control || button == 0) return;
  if (std::exchange(double_clicked_, false)) click = false;
  const QPointF at = event.position();
  (void)ui::input::MouseUp(*control, button, ShiftStateOf(event.modifiers()),
                           static_cast<int>(at.x() * context_.twips_per_pixel_x),
                           static_cast<int>(at.y() * context_.twips_per_pixel_y));
  if (click && button == ui::mouse_button::kLeft && widget_.rect().contains(at.toPoint())) {
    // The MouseUp handler may have removed the control.
    if (std::shared_ptr<ui::Control> again = Model()) (void)ui::input::Click(*again);
  }
}

void Mirror::ForwardMove(const QMouseEvent& event) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  int buttons = 0;
  for (Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    if (event.buttons() & held) buttons |= MouseButtonOf(held);
  }
  const QPointF at = event.position();
  (void)ui::input::MouseMove(*control, buttons, ShiftStateOf(event.modifiers()),
                             static_cast<int>(at.x() * context_.twips_per_pixel_x),
                             static_cast<int>(at.y() * context_.twips_per_pixel_y));
}

void Mirror::ForwardDoubleClick(const QMouseEvent& event) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control || event.button() != Qt::LeftButton) return;
  double_clicked_ = true;
  (void)ui::input::DblClick(*control);
}

void Mirror::ForwardFocus() {
  QTimer::singleShot(0, &widget_, [this] {
    if (!widget_.hasFocus()) return;
    std::shared_ptr<ui::Control> control = Model();
    if (!control || control->HasFocus()) return;
    (void)ui::input::Focus(*control);
  });
}

void Mirror::ForwardAccessKey(int key_code) {
  std::shared_ptr<ui::Control> control = Model();
  ui::Form* form = control ? control->ParentForm() : nullptr;
  if (form != nullptr) (void)ui::input::KeyDown(*form, key_code, ui::shift::kAlt);
}

bool Mirror::RouteAccessKey(QEvent& event) {
  if (event.type() != QEvent::Shortcut) return false;
  // A property page has no form to decide: there Qt's own mnemonic stays.
  std::shared_ptr<ui::Control> control = Model();
  if (!control || control->ParentForm() == nullptr) return false;
  const QKeySequence pressed = static_cast<QShortcutEvent&>(event).key();
  if (!pressed.isEmpty()) ForwardAccessKey(pressed[0].key());
  return true;
}

// ------------------------------------------------------------------------------ Label

LabelMirror::LabelMirror(const RenderContext& context, ui::Label& label, QWidget* parent)
    : QWidget(parent), Mirror(context, label, *this), access_key_(new QShortcut(this)) {
  access_key_->setContext(Qt::WindowShortcut);
  // Two controls with one key: the form decides, by tab order.
  auto forward = [this] {
    if (!access_key_->key().isEmpty()) ForwardAccessKey(access_key_->key()[0].key());
  };
  connect(access_key_, &QShortcut::activated, this, forward);
  connect(access_key_, &QShortcut::activatedAmbiguously, this, forward);
}

void LabelMirror::ApplyOwn(ui::Control& control) {
  const char key = static_cast<const ui::Label&>(control).AccessKey();
  const QKeySequence wanted = key != 0 ? QKeySequence(Qt::ALT | key) : QKeySequence();
  if (access_key_->key() != wanted) access_key_->setKey(wanted);
}

void LabelMirror::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  const auto& label = static_cast<const ui::Label&>(*control);
  QPainter painter(this);
  if (label.BackStyle() == ui::back_style::kOpaque)
    painter.fillRect(rect(), ToQColor(label.BackColor()));
  const ui::FontDesc& font = label.Font()->Desc();
  painter.setFont(ToQFont(font));
  painter.setPen(label.Enabled() ? ToQColor(label.ForeColor())
                                 : ToQColor(ui::system_color::kGrayText));
  // The lines the model measured when it sized the label.
  const TextMetrics& metrics = *context().metrics;
  const int line_height = metrics.LineHeightPixels(font);
  const int flags = Qt::TextShowMnemonic | Qt::TextDontClip | Qt::AlignTop |
                    static_cast<int>(HorizontalAlignment(label.Alignment()));
  int y = 0;
  for (const std::string& line : metrics.WrapLines(font, label.Caption(), label.Width())) {
    if (y >= height()) break;
    painter.drawText(QRect(0, y, width(), line_height), flags, ToQString(line));
    y += line_height;
  }
  if (label.BorderStyle() == 1) {
    painter.setPen(ToQColor(ui::system_color::kButtonShadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void LabelMirror::mousePressEvent(QMouseEvent* event) {
  ForwardPress(*event);
}

void LabelMirror::mouseReleaseEvent(QMouseEvent* event) {
  ForwardRelease(*event, /*click=*/true);
}

void LabelMirror::mouseDoubleClickEvent(QMouseEvent* event) {
  ForwardDoubleClick(*event);
}

// ----------------------------------------------------------------------------- Button

ButtonMirror::ButtonMirror(const RenderContext& context, ui::CommandButton& button, QWidget* parent)
    : QPushButton(parent), Mirror(context, button, *this) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (std::shared_ptr<ui::Control> control = Model()) (void)ui::input::Click(*control);
  });
}

void ButtonMirror::ApplyOwn(ui::Control& control) {
  const auto& button = static_cast<const ui::CommandButton&>(control);
  const QString caption = ToQString(button.Caption());
  if (text() != caption) setText(caption);
  const QFont wanted = ToQFont(button.Font()->Desc());
  if (font() != wanted) setFont(wanted);
  setDefault(button.Default());
}

void ButtonMirror::mousePressEvent(QMouseEvent* event) {
  ForwardPress(*event);
  QPushButton::mousePressEvent(event);
}

void ButtonMirror::mouseReleaseEvent(QMouseEvent* event) {
  ForwardRelease(*event, /*click=*/false);
  // Qt's release raises clicked, which is the model's Click.
  QPushButton::mouseReleaseEvent(event);
}

void ButtonMirror::focusInEvent(QFocusEvent* event) {
  QPushButton::focusInEvent(event);
  ForwardFocus();
}

bool ButtonMirror::event(QEvent* event) {
  return RouteAccessKey(*event) || QPushButton::event(event);
}

// --------------------------------------------------------------------------- CheckBox

CheckBoxMirror::CheckBoxMirror(const RenderContext& context, ui::CheckBox& check_box,
                               QWidget* parent)
    : QCheckBox(parent), Mirror(context, check_box, *this) {
  setTristate(true);
  setAutoFillBackground(true);
  connect(this, &QCheckBox::clicked, this, [this] {
    if (std::shared_ptr<ui::Control> control = Model()) (void)ui::input::Click(*control);
    Apply();
  });
}

void CheckBoxMirror::ApplyOwn(ui::Control& control) {
  const auto& check_box = static_cast<const ui::CheckBox&>(control);
  const QString caption = ToQString(check_box.Caption());
  if (text() != caption) setText(caption);
  const QFont wanted = ToQFont(check_box.Font()->Desc());
  if (font() != wanted) setFont(wanted);
  switch (check_box.Value()) {
    case ui::check_value::kChecked:
      setCheckState(Qt::Checked);
      break;
    case ui::check_value::kGrayed:
      setCheckState(Qt::PartiallyChecked);
      break;
    default:
      setCheckState(Qt::Unchecked);
      break;
  }
  setLayoutDirection(check_box.Alignment() == 1 ? Qt::RightToLeft : Qt::LeftToRight);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, ToQColor(check_box.BackColor()));
  colours.setColor(QPalette::WindowText, ToQColor(check_box.ForeColor()));
  setPalette(colours);
}

void CheckBoxMirror::focusInEvent(QFocusEvent* event) {
  QCheckBox::focusInEvent(event);
  ForwardFocus();
}

bool CheckBoxMirror::event(QEvent* event) {
  return RouteAccessKey(*event) || QCheckBox::event(event);
}

// ---------------------------------------------------------------------------- TextBox

namespace {

void ApplyEditorLook(QWidget& widget, const ui::TextBox& text_box) {
  const QFont wanted = ToQFont(text_box.Font()->Desc());
  if (widget.font() != wanted) widget.setFont(wanted);
  QPalette colours = widget.palette();
  colours.setColor(QPalette::Base, ToQColor(text_box.BackColor()));
  colours.setColor(QPalette::Text, ToQColor(text_box.ForeColor()));
  widget.setPalette(colours);
}

}  // namespace

TextBoxMirror::TextBoxMirror(const RenderContext& context, ui::TextBox& text_box, QWidget* parent)
    : QLineEdit(parent), Mirror(context, text_box, *this) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    std::shared_ptr<ui::Control> control = Model();
    if (!control) return;
    quiet_ = true;
    (void)ui::input::EditText(static_cast<ui::TextBox&>(*control), text.toStdString());
    quiet_ = false;
    // The caret stays where the person typed.
    ForwardSelection();
    // The model may have cut the text (MaxLength) or refused it (Locked).
    Apply();
  });
  connect(this, &QLineEdit::selectionChanged, this, [this] { ForwardSelection(); });
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] { ForwardSelection(); });
}

void TextBoxMirror::ForwardSelection() {
  std::shared_ptr<ui::Control> control = Model();
  if (quiet_ || !control) return;
  const QString shown = text();
  const int from = hasSelectedText() ? selectionStart() : cursorPosition();
  const int to = hasSelectedText() ? selectionEnd() : from;
  const int start = CharactersIn(shown, from);
  // Qt is still moving its caret and selection: what the control hears must not come back.
  quiet_ = true;
  (void)ui::input::SelectText(static_cast<ui::TextBox&>(*control), start,
                              CharactersIn(shown, to) - start);
  quiet_ = false;
}

void TextBoxMirror::ApplyOwn(ui::Control& control) {
  const auto& text_box = static_cast<const ui::TextBox&>(control);
  const QString wanted = ToQString(text_box.Text());
  const bool following = !quiet_;
  quiet_ = true;
  if (text() != wanted) setText(wanted);
  if (following) {
    const int from = UnitsOf(wanted, text_box.SelStart());
    const int to = UnitsOf(wanted, text_box.SelStart() + text_box.SelLength());
    const int shown_from = hasSelectedText() ? selectionStart() : cursorPosition();
    const int shown_to = hasSelectedText() ? selectionEnd() : shown_from;
    if (from != shown_from || to != shown_to) {
      if (to > from) {
        setSelection(from, to - from);
      } else {
        setCursorPosition(from);
      }
    }
  }
  setReadOnly(text_box.Locked());
  // Qt sets its text again on every setMaxLength, which moves the caret to the end.
  const int max_length = text_box.MaxLength() > 0 ? text_box.MaxLength() : 32767;
  if (maxLength() != max_length) setMaxLength(max_length);
  setAlignment(HorizontalAlignment(text_box.Alignment()) | Qt::AlignVCenter);
  ApplyEditorLook(*this, text_box);
  quiet_ = !following;
}

void TextBoxMirror::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  ForwardFocus();
}

MultiLineTextBoxMirror::MultiLineTextBoxMirror(const RenderContext& context, ui::TextBox& text_box,
                                               QWidget* parent)
    : QPlainTextEdit(parent), Mirror(context, text_box, *this) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (applying_) return;
    std::shared_ptr<ui::Control> control = Model();
    if (!control) return;
    (void)ui::input::EditText(static_cast<ui::TextBox&>(*control), FromEditorText(toPlainText()));
    Apply();
  });
}

void MultiLineTextBoxMirror::ApplyOwn(ui::Control& control) {
  const auto& text_box = static_cast<const ui::TextBox&>(control);
  const QString wanted = ToEditorText(text_box.Text());
  if (toPlainText() != wanted) {
    applying_ = true;
    setPlainText(wanted);
    moveCursor(QTextCursor::End);
    applying_ = false;
  }
  setReadOnly(text_box.Locked());
  ApplyEditorLook(*this, text_box);
}

void MultiLineTextBoxMirror::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  ForwardFocus();
}

// ------------------------------------------------------------------ Image, PictureBox

PictureMirror::PictureMirror(const RenderContext& context, ui::Image& image, QWidget* parent)
    : QWidget(parent), Mirror(context, image, *this), image_control_(true) {}

PictureMirror::PictureMirror(const RenderContext& context, ui::PictureBox& box, QWidget* parent)
    : QWidget(parent), Mirror(context, box, *this), image_control_(false) {}

void PictureMirror::PictureChanged() {
  cache_valid_ = false;
  update();
}

void PictureMirror::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  QPainter painter(this);
  const ui::StdPicture* picture = nullptr;
  bool stretch = false;
  if (image_control_) {
    const auto& image = static_cast<const ui::Image&>(*control);
    picture = image.Picture().get();
    stretch = image.Stretch();
  } else {
    const auto& box = static_cast<const ui::PictureBox&>(*control);
    painter.fillRect(rect(), ToQColor(box.BackColor()));
    picture = box.Picture().get();
  }
  if (!cache_valid_) {
    cache_ = ToQImage(*picture);
    cache_valid_ = true;
  }
  if (cache_.isNull()) return;
  if (stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), cache_);
  } else {
    painter.drawImage(0, 0, cache_);
  }
}

void PictureMirror::mousePressEvent(QMouseEvent* event) {
  ForwardPress(*event);
}

void PictureMirror::mouseReleaseEvent(QMouseEvent* event) {
  ForwardRelease(*event, /*click=*/true);
}

// ------------------------------------------------------------------------------- Line

LineMirror::LineMirror(const RenderContext& context, ui::Line& line, QWidget* parent)
    : QWidget(parent), Mirror(context, line, *this) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

QRect LineMirror::Geometry(const ui::Control& control) const {
  const auto& line = static_cast<const ui::Line&>(control);
  const int tx = context().twips_per_pixel_x;
  const int ty = context().twips_per_pixel_y;
  const int x1 = PixelsFromTwips(line.X1(), tx);
  const int y1 = PixelsFromTwips(line.Y1(), ty);
  const int x2 = PixelsFromTwips(line.X2(), tx);
  const int y2 = PixelsFromTwips(line.Y2(), ty);
  // Room for the pen on every side of the end points.
  const int margin = std::min(line.BorderWidth(), kMaxLineMargin);
  return QRect(std::min(x1, x2) - margin, std::min(y1, y2) - margin,
               std::abs(x2 - x1) + 2 * margin + 1, std::abs(y2 - y1) + 2 * margin + 1);
}

bool LineMirror::VisibleOnScreen(const ui::Control& control) const {
  return control.Visible() && static_cast<const ui::Line&>(control).BorderStyle() != 0;
}

void LineMirror::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  const auto& line = static_cast<const ui::Line&>(*control);
  const int tx = context().twips_per_pixel_x;
  const int ty = context().twips_per_pixel_y;
  const QPoint origin = geometry().topLeft();
  const QPoint from(PixelsFromTwips(line.X1(), tx), PixelsFromTwips(line.Y1(), ty));
  const QPoint to(PixelsFromTwips(line.X2(), tx), PixelsFromTwips(line.Y2(), ty));
  QPainter painter(this);
  QPen pen(ToQColor(line.BorderColor()));
  pen.setWidth(line.BorderWidth());
  pen.setStyle(PenStyleOf(line.BorderStyle()));
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawLine(from - origin, to - origin);
}

// --------------------------------------------------------------------------- Extender

ExtenderMirror::ExtenderMirror(const RenderContext& context, ui::Extender& extender,
                               QWidget* parent)
    : QWidget(parent), Mirror(context, extender, *this) {
  setMouseTracking(true);
}

void ExtenderMirror::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  const auto& extender = static_cast<const ui::Extender&>(*control);
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(extender.Object()->BackColor()));
  ReplayDrawing(painter, extender.Object()->Drawing(), context().twips_per_pixel_x,
                context().twips_per_pixel_y);
}

void ExtenderMirror::mousePressEvent(QMouseEvent* event) {
  ForwardPress(*event);
}

void ExtenderMirror::mouseReleaseEvent(QMouseEvent* event) {
  ForwardRelease(*event, /*click=*/true);
}

void ExtenderMirror::mouseMoveEvent(QMouseEvent* event) {
  ForwardMove(*event);
}

void ExtenderMirror::mouseDoubleClickEvent(QMouseEvent* event) {
  ForwardDoubleClick(*event);
}

// ------------------------------------------------------------------------------- Form

FormSurface::FormSurface(const RenderContext& context, ui::Form& form, QWidget* parent)
    : QWidget(parent), context_(context), form_(form.weak_from_this()), address_(&form) {
  setFocusPolicy(Qt::ClickFocus);
}

bool FormSurface::IsSurfaceOf(const ui::Form& form) const {
  return address_ == &form && !form_.expired();
}

std::shared_ptr<ui::Form> FormSurface::Model() const {
  std::shared_ptr<automation::Dispatch> alive = form_.lock();
  if (!alive) return nullptr;
  return std::shared_ptr<ui::Form>(std::move(alive), address_);
}

void FormSurface::ApplyForm() {
  std::shared_ptr<ui::Form> form = Model();
  if (!form) return;
  const QSize size(PixelsFromTwips(form->ScaleWidth(), context_.twips_per_pixel_x),
                   PixelsFromTwips(form->ScaleHeight(), context_.twips_per_pixel_y));
  if (isWindow()) {
    setWindowTitle(QString::fromStdString(form->Caption()));
    const bool frameless = form->BorderStyle() == 0;
    if (windowFlags().testFlag(Qt::FramelessWindowHint) != frameless)
      setWindowFlag(Qt::FramelessWindowHint, frameless);
    // Fixed single, fixed dialog and fixed tool window cannot be resized by the person.
    const int style = form->BorderStyle();
    if (style == 1 || style == 3 || style == 4) {
      setFixedSize(size);
    } else {
      // The range the form's procedure answered; the model keeps to it as well.
      const ui::SizeRange& range = form->ClientSizeRange();
      auto pixels = [](int twips, int twips_per_pixel, bool round_up) {
        if (twips == INT_MAX) return QWIDGETSIZE_MAX;
        const int whole = twips / twips_per_pixel;
        return std::min(round_up && twips % twips_per_pixel != 0 ? whole + 1 : whole,
                        QWIDGETSIZE_MAX);
      };
      const int tx = context_.twips_per_pixel_x;
      const int ty = context_.twips_per_pixel_y;
      setMinimumSize(pixels(range.min_width, tx, true), pixels(range.min_height, ty, true));
      setMaximumSize(pixels(range.max_width, tx, false), pixels(range.max_height, ty, false));
      if (this->size() != size) resize(size);
    }
  } else if (this->size() != size) {
    // An embedded form that its parent lays out takes the size it is given; the model
    // follows (ReportSize).
    QLayout* layout = parentWidget() != nullptr ? parentWidget()->layout() : nullptr;
    if (layout == nullptr || layout->indexOf(this) < 0) resize(size);
  }
  setEnabled(form->Enabled());
  update();
}

void FormSurface::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Form> form = Model();
  if (!form) return;
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(form->BackColor()));
}

void FormSurface::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Reported from the event loop: a resize may arrive while the model is showing the form.
  if (size_report_pending_) return;
  size_report_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    size_report_pending_ = false;
    ReportSize();
  });
}

void FormSurface::ReportSize() {
  std::shared_ptr<ui::Form> form = Model();
  if (!form) return;
  const int tx = context_.twips_per_pixel_x;
  const int ty = context_.twips_per_pixel_y;
  // A size the model already has, in pixels, is its own; only a different one is news.
  if (PixelsFromTwips(form->ScaleWidth(), tx) == width() &&
      PixelsFromTwips(form->ScaleHeight(), ty) == height())
    return;
  (void)ui::input::ResizeClient(*form, width() * tx, height() * ty);
}

void FormSurface::closeEvent(QCloseEvent* event) {
  std::shared_ptr<ui::Form> form = Model();
  if (!form || !form->IsLoaded()) {
    event->accept();
    return;
  }
  auto unloaded = ui::input::CloseBox(*form);
  if (unloaded && *unloaded) {
    event->accept();
  } else {
    event->ignore();
  }
}

void FormSurface::keyPressEvent(QKeyEvent* event) {
  std::shared_ptr<ui::Form> form = Model();
  const int code = KeyCodeOf(*event);
  if (!form || code == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  (void)ui::input::KeyDown(*form, code, ShiftStateOf(event->modifiers()));
  event->accept();
}

// ------------------------------------------------------------------------------- Page

PageSurface::PageSurface(const RenderContext& /*context*/, ui::PropertyPage& page, QWidget* parent)
    : QWidget(parent), page_(page.weak_from_this()), address_(&page) {}

bool PageSurface::IsSurfaceOf(const ui::PropertyPage& page) const {
  return address_ == &page && !page_.expired();
}

void PageSurface::paintEvent(QPaintEvent* /*event*/) {
  if (page_.expired()) return;
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(ui::system_color::kButtonFace));
}

}  // namespace feriant::ui_qt::internal
