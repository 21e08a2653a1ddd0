#include "platform/ui_qt/standard_mirrors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include "platform/ui/controls/standard_input.h"
#include "platform/ui/core/input.h"
#include "platform/ui_qt/text_metrics.h"

namespace feriant::ui_qt::internal {
namespace {

// Caption colours and font of a control drawn on the button face.
template <class T>
void ApplyCaptionLook(QWidget& widget, const T& control) {
  const QFont wanted = ToQFont(control.Font()->Desc());
  if (widget.font() != wanted) widget.setFont(wanted);
  QPalette colours = widget.palette();
  colours.setColor(QPalette::Window, ToQColor(control.BackColor()));
  colours.setColor(QPalette::WindowText, ToQColor(control.ForeColor()));
  widget.setPalette(colours);
}

}  // namespace

// ----------------------------------------------------------------------- UpDownMirror

UpDownMirror::UpDownMirror(const RenderContext& context, ui::UpDown& spin, QWidget* parent)
    : QWidget(parent),
      Mirror(context, spin, *this),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  const struct {
    QToolButton* button;
    Qt::ArrowType arrow;
    int direction;
  } kArrows[] = {{up_, Qt::UpArrow, 1}, {down_, Qt::DownArrow, -1}};
  for (const auto& arrow : kArrows) {
    arrow.button->setArrowType(arrow.arrow);
    arrow.button->setAutoRepeat(true);
    arrow.button->setFocusPolicy(Qt::NoFocus);
    connect(arrow.button, &QToolButton::clicked, this, [this, direction = arrow.direction] {
      if (std::shared_ptr<ui::Control> control = Model())
        (void)ui::input::Spin(static_cast<ui::UpDown&>(*control), direction);
    });
  }
}

void UpDownMirror::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

// ------------------------------------------------------------------ ProgressBarMirror

ProgressBarMirror::ProgressBarMirror(const RenderContext& context, ui::ProgressBar& bar,
                                     QWidget* parent)
    : QProgressBar(parent), Mirror(context, bar, *this) {
  setTextVisible(false);
}

void ProgressBarMirror::ApplyOwn(ui::Control& control) {
  const auto& bar = static_cast<const ui::ProgressBar&>(control);
  setRange(bar.Min(), bar.Max());
  setValue(bar.Value());
}

// ------------------------------------------------------------------------ FrameMirror

FrameMirror::FrameMirror(const RenderContext& context, ui::Frame& frame, QWidget* parent)
    : QGroupBox(parent), Mirror(context, frame, *this) {}

void FrameMirror::ApplyOwn(ui::Control& control) {
  const auto& frame = static_cast<const ui::Frame&>(control);
  // The title only gives Qt the access key; paintEvent draws the caption.
  const QString caption = QString::fromStdString(frame.Caption());
  if (title() != caption) setTitle(caption);
  ApplyCaptionLook(*this, frame);
}

void FrameMirror::paintEvent(QPaintEvent* /*event*/) {
  std::shared_ptr<ui::Control> control = Model();
  if (!control) return;
  const auto& frame = static_cast<const ui::Frame&>(*control);
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(frame.BackColor()));
  if (frame.BorderStyle() == 0) return;
  const QFontMetrics metrics(font());
  const int middle = metrics.height() / 2;
  const QRect border = rect().adjusted(0, middle, -1, -1);
  painter.setPen(ToQColor(ui::system_color::kButtonShadow));
  painter.drawRect(border.adjusted(0, 0, -1, -1));
  painter.setPen(ToQColor(ui::system_color::kButtonHighlight));
  painter.drawRect(border.adjusted(1, 1, 0, 0));
  if (frame.Caption().empty()) return;
  // The caption stands on the frame's colour, a few pixels in from the left.
  const QString caption = QString::fromStdString(frame.Caption());
  const QRect text(6, 0, metrics.horizontalAdvance(QString(caption).remove('&')) + 4,
                   metrics.height());
  painter.fillRect(text, ToQColor(frame.BackColor()));
  painter.setPen(frame.Enabled() ? ToQColor(frame.ForeColor())
                                 : ToQColor(ui::system_color::kGrayText));
  painter.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

bool FrameMirror::event(QEvent* event) {
  return RouteAccessKey(*event) || QGroupBox::event(event);
}

// ----------------------------------------------------------------- OptionButtonMirror

OptionButtonMirror::OptionButtonMirror(const RenderContext& context, ui::OptionButton& option,
                                       QWidget* parent)
    : QRadioButton(parent), Mirror(context, option, *this) {
  // The control keeps its group exclusive.
  setAutoExclusive(false);
  setAutoFillBackground(true);
  connect(this, &QRadioButton::clicked, this, [this] {
    if (std::shared_ptr<ui::Control> control = Model()) (void)ui::input::Click(*control);
    Apply();
  });
}

void OptionButtonMirror::ApplyOwn(ui::Control& control) {
  const auto& option = static_cast<const ui::OptionButton&>(control);
  const QString caption = QString::fromStdString(option.Caption());
  if (text() != caption) setText(caption);
  if (isChecked() != option.Value()) setChecked(option.Value());
  setLayoutDirection(option.Alignment() == 1 ? Qt::RightToLeft : Qt::LeftToRight);
  ApplyCaptionLook(*this, option);
}

void OptionButtonMirror::focusInEvent(QFocusEvent* event) {
  QRadioButton::focusInEvent(event);
  ForwardFocus();
}

bool OptionButtonMirror::event(QEvent* event) {
  return RouteAccessKey(*event) || QRadioButton::event(event);
}

}  // namespace feriant::ui_qt::internal
