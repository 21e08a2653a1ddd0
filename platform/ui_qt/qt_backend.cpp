#include "platform/ui_qt/qt_backend.h"

#include <algorithm>
#include <climits>
#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/headless_backend.h"
#include "platform/ui/core/property_page.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui_qt/item_views.h"
#include "platform/ui_qt/mirror_widgets.h"
#include "platform/ui_qt/picture_image.h"
#include "platform/ui_qt/pixels.h"
#include "platform/ui_qt/standard_mirrors.h"

namespace feriant::ui_qt {

using internal::FormSurface;
using internal::Mirror;
using internal::PageSurface;

namespace {

int ScreenTwipsPerPixel() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? TwipsPerPixelForDpi(screen->logicalDotsPerInchX()) : 15;
}

ui::OleColor FromQColor(const QColor& color) {
  return ui::Rgb(color.red(), color.green(), color.blue());
}

// Stacks a new or moved widget: windowless controls under every windowed one of the same
// surface, each kind in creation order.
void Stack(QWidget& widget, bool windowless) {
  if (!windowless || widget.parentWidget() == nullptr) {
    widget.raise();
    return;
  }
  for (QObject* sibling : widget.parentWidget()->children()) {
    if (sibling == &widget) continue;
    auto* mirror = dynamic_cast<Mirror*>(sibling);
    if (mirror != nullptr && !mirror->Windowless()) {
      widget.stackUnder(&mirror->Widget());
      return;
    }
  }
  widget.raise();
}

void RepaintTree(QWidget& widget) {
  widget.update();
  for (QWidget* child : widget.findChildren<QWidget*>())
    child->update();
}

struct MessageButton {
  QMessageBox::StandardButton button;
  ui::MsgBoxResult answer;
};

std::vector<MessageButton> ButtonsOf(int buttons) {
  using R = ui::MsgBoxResult;
  switch (buttons) {
    case ui::msgbox::kOkCancel:
      return {{QMessageBox::Ok, R::kOk}, {QMessageBox::Cancel, R::kCancel}};
    case ui::msgbox::kAbortRetryIgnore:
      return {{QMessageBox::Abort, R::kAbort},
              {QMessageBox::Retry, R::kRetry},
              {QMessageBox::Ignore, R::kIgnore}};
    case ui::msgbox::kYesNoCancel:
      return {{QMessageBox::Yes, R::kYes},
              {QMessageBox::No, R::kNo},
              {QMessageBox::Cancel, R::kCancel}};
    case ui::msgbox::kYesNo:
      return {{QMessageBox::Yes, R::kYes}, {QMessageBox::No, R::kNo}};
    case ui::msgbox::kRetryCancel:
      return {{QMessageBox::Retry, R::kRetry}, {QMessageBox::Cancel, R::kCancel}};
    default:
      return {{QMessageBox::Ok, R::kOk}};
  }
}

QMessageBox::Icon IconOf(int icon) {
  switch (icon) {
    case ui::msgbox::kCritical:
      return QMessageBox::Critical;
    case ui::msgbox::kQuestion:
      return QMessageBox::Question;
    case ui::msgbox::kExclamation:
      return QMessageBox::Warning;
    case ui::msgbox::kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Keeps the right button from choosing an entry of the menus it watches: a menu opened
// with the left-button flag answers the left button only. A right press outside the menu
// still closes it.
class LeftButtonOnly final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
      return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const auto* menu = qobject_cast<const QWidget*>(watched);
    return mouse->button() == Qt::RightButton && menu != nullptr &&
           menu->rect().contains(mouse->position().toPoint());
  }
};

// Adds `entries` to `menu`; `chosen_by` learns the positions (from the top level down,
// starting with `prefix`) of every entry that can be chosen.
void AddMenuEntries(QMenu& menu, const std::vector<ui::MenuEntry>& entries,
                    std::vector<int>& prefix,
                    std::map<const QAction*, std::vector<int>>& chosen_by) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const ui::MenuEntry& entry = entries[i];
    const QString caption = QString::fromStdString(entry.caption);
    prefix.push_back(static_cast<int>(i));
    QAction* action = nullptr;
    if (entry.caption == "-") {
      action = menu.addSeparator();
    } else if (!entry.submenu.empty()) {
      QMenu* submenu = menu.addMenu(caption);
      AddMenuEntries(*submenu, entry.submenu, prefix, chosen_by);
      action = submenu->menuAction();
    } else {
      action = menu.addAction(caption);
      chosen_by[action] = prefix;
    }
    action->setCheckable(entry.checked);
    action->setChecked(entry.checked);
    action->setEnabled(entry.enabled);
    action->setVisible(entry.visible);
    prefix.pop_back();
  }
}

}  // namespace

QtBackend::QtBackend(int twips_per_pixel)
    : twips_per_pixel_(twips_per_pixel > 0 ? twips_per_pixel : ScreenTwipsPerPixel()),
      metrics_(twips_per_pixel_, twips_per_pixel_),
      context_(std::make_unique<internal::RenderContext>(
          internal::RenderContext{twips_per_pixel_, twips_per_pixel_, &metrics_})),
      timer_owner_(std::make_unique<QObject>()) {}

QtBackend::~QtBackend() {
  for (auto& [form, loop] : modal_loops_)
    loop->quit();
  if (override_cursor_) QGuiApplication::restoreOverrideCursor();
  // Widgets that outlive the backend (embedded forms, pages) stop reading the model.
  for (auto& [control, widget] : widgets_) {
    if (auto* mirror = dynamic_cast<Mirror*>(widget.data())) mirror->Detach();
  }
  for (auto& [form, surface] : forms_) {
    if (!surface) continue;
    surface->Detach();
    if (surface->isWindow()) delete surface.data();
  }
}

std::shared_ptr<QtBackend> QtBackend::Install(int twips_per_pixel) {
  auto backend = std::make_shared<QtBackend>(twips_per_pixel);
  ui::SetBackend(backend);
  return backend;
}

// ---------------------------------------------------------------------------- Widgets

FormSurface* QtBackend::Surface(ui::Form& form, QWidget* embed_parent, bool create) {
  FormSurface* surface = nullptr;
  auto it = forms_.find(&form);
  if (it != forms_.end()) {
    if (it->second && it->second->IsSurfaceOf(form)) {
      surface = it->second.data();
    } else {
      // A surface of a form that is gone, whose address is in use again.
      if (it->second && it->second->isWindow()) it->second->deleteLater();
      forms_.erase(it);
    }
  }
  if (surface == nullptr) {
    if (!create) return nullptr;
    surface = new FormSurface(*context_, form, embed_parent);
    forms_[&form] = surface;
    surface->ApplyForm();
  } else if (embed_parent != nullptr && surface->parentWidget() != embed_parent) {
    surface->setParent(embed_parent);
    surface->ApplyForm();
    if (form.Visible()) surface->show();
  }
  return surface;
}

void QtBackend::DropStaleSurfaces() {
  for (auto it = forms_.begin(); it != forms_.end();) {
    if (it->second && it->second->Model() != nullptr) {
      ++it;
      continue;
    }
    if (it->second && it->second->isWindow()) it->second->deleteLater();
    it = forms_.erase(it);
  }
}

QWidget* QtBackend::FormWidget(ui::Form& form) {
  FormSurface* surface = Surface(form, nullptr, true);
  MirrorHost(form);
  return surface;
}

QWidget* QtBackend::EmbedForm(ui::Form& form, QWidget* parent) {
  FormSurface* surface = Surface(form, parent, true);
  MirrorHost(form);
  return surface;
}

QWidget* QtBackend::PageWidget(ui::PropertyPage& page, QWidget* parent) {
  QWidget* surface = nullptr;
  auto it = pages_.find(&page);
  if (it != pages_.end() && it->second &&
      static_cast<PageSurface*>(it->second.data())->IsSurfaceOf(page)) {
    surface = it->second.data();
    if (surface->parentWidget() != parent) surface->setParent(parent);
  } else {
    surface = new PageSurface(*context_, page, parent);
    pages_[&page] = surface;
  }
  surface->resize(PixelsFromTwips(page.ScaleWidth(), twips_per_pixel_),
                  PixelsFromTwips(page.ScaleHeight(), twips_per_pixel_));
  MirrorHost(page);
  return surface;
}

QWidget* QtBackend::WidgetOf(const ui::Control& control) const {
  Mirror* mirror = MirrorOf(control);
  return mirror != nullptr ? &mirror->Widget() : nullptr;
}

Mirror* QtBackend::MirrorOf(const ui::Control& control) const {
  auto it = widgets_.find(&control);
  if (it == widgets_.end() || !it->second) return nullptr;
  auto* mirror = dynamic_cast<Mirror*>(it->second.data());
  return mirror != nullptr && mirror->IsMirrorOf(control) ? mirror : nullptr;
}

QWidget* QtBackend::SurfaceWidget(ui::ControlHost& host) {
  if (auto* form = dynamic_cast<ui::Form*>(&host)) return Surface(*form, nullptr, true);
  if (auto* user_control = dynamic_cast<ui::UserControl*>(&host)) {
    ui::Extender* site = user_control->Site();
    return site != nullptr ? MirrorControl(*site) : nullptr;
  }
  if (auto* page = dynamic_cast<ui::PropertyPage*>(&host)) {
    auto it = pages_.find(page);
    if (it == pages_.end() || !it->second) return nullptr;
    auto* surface = static_cast<PageSurface*>(it->second.data());
    return surface->IsSurfaceOf(*page) ? surface : nullptr;
  }
  return nullptr;
}

QWidget* QtBackend::ParentWidget(ui::Control& control) {
  if (ui::Control* container = control.Container()) return MirrorControl(*container);
  if (control.Host() == nullptr) return nullptr;
  return SurfaceWidget(*control.Host());
}

QWidget* QtBackend::MirrorControl(ui::Control& control) {
  QWidget* parent = ParentWidget(control);
  if (parent == nullptr) return nullptr;
  if (Mirror* mirror = MirrorOf(control)) {
    QWidget& widget = mirror->Widget();
    if (widget.parentWidget() != parent) {
      widget.setParent(parent);
      Stack(widget, mirror->Windowless());
      mirror->Apply();
    }
    return &widget;
  }
  const internal::RenderContext& context = *context_;
  Mirror* mirror = nullptr;
  if (auto* label = dynamic_cast<ui::Label*>(&control)) {
    mirror = new internal::LabelMirror(context, *label, parent);
  } else if (auto* button = dynamic_cast<ui::CommandButton*>(&control)) {
    mirror = new internal::ButtonMirror(context, *button, parent);
  } else if (auto* check_box = dynamic_cast<ui::CheckBox*>(&control)) {
    mirror = new internal::CheckBoxMirror(context, *check_box, parent);
  } else if (auto* text_box = dynamic_cast<ui::TextBox*>(&control)) {
    if (text_box->MultiLine()) {
      mirror = new internal::MultiLineTextBoxMirror(context, *text_box, parent);
    } else {
      mirror = new internal::TextBoxMirror(context, *text_box, parent);
    }
  } else if (auto* image = dynamic_cast<ui::Image*>(&control)) {
    mirror = new internal::PictureMirror(context, *image, parent);
  } else if (auto* box = dynamic_cast<ui::PictureBox*>(&control)) {
    mirror = new internal::PictureMirror(context, *box, parent);
  } else if (auto* line = dynamic_cast<ui::Line*>(&control)) {
    mirror = new internal::LineMirror(context, *line, parent);
  } else if (auto* extender = dynamic_cast<ui::Extender*>(&control)) {
    mirror = new internal::ExtenderMirror(context, *extender, parent);
  } else if (Mirror* standard = MirrorStandardControl(context, control, parent)) {
    mirror = standard;
  } else {
    return nullptr;  // timers, and kinds the model has no renderer for
  }
  QWidget& widget = mirror->Widget();
  widgets_[&control] = &widget;
  Stack(widget, mirror->Windowless());
  mirror->Apply();
  if (auto* extender = dynamic_cast<ui::Extender*>(&control)) MirrorHost(*extender->Object());
  return &widget;
}

Mirror* QtBackend::MirrorStandardControl(const internal::RenderContext& context,
                                         ui::Control& control, QWidget* parent) {
  if (auto* combo = dynamic_cast<ui::ComboBox*>(&control))
    return new internal::ComboBoxMirror(context, *combo, parent);
  if (auto* list = dynamic_cast<ui::ListBox*>(&control))
    return new internal::ListBoxMirror(context, *list, parent);
  if (auto* tree = dynamic_cast<ui::TreeView*>(&control))
    return new internal::TreeViewMirror(context, *tree, parent);
  if (auto* spin = dynamic_cast<ui::UpDown*>(&control))
    return new internal::UpDownMirror(context, *spin, parent);
  if (auto* bar = dynamic_cast<ui::ProgressBar*>(&control))
    return new internal::ProgressBarMirror(context, *bar, parent);
  if (auto* frame = dynamic_cast<ui::Frame*>(&control))
    return new internal::FrameMirror(context, *frame, parent);
  if (auto* option = dynamic_cast<ui::OptionButton*>(&control))
    return new internal::OptionButtonMirror(context, *option, parent);
  return nullptr;  // menus and picture lists have no widget
}

void QtBackend::MirrorHost(ui::ControlHost& host) {
  // A copy: mirroring never changes the model, but keep the controls alive regardless.
  const std::vector<std::shared_ptr<ui::Control>> controls = host.Controls();
  for (const auto& control : controls)
    MirrorControl(*control);
}

void QtBackend::Unmirror(const ui::Control& control) {
  auto it = widgets_.find(&control);
  if (it == widgets_.end()) return;
  QPointer<QWidget> widget = it->second;
  widgets_.erase(it);
  if (!widget) return;
  // The widget and everything inside it (a user control's constituents) stop reading
  // the model now, and go from the event loop: the removal may come from a handler
  // running inside one of these widgets.
  if (auto* mirror = dynamic_cast<Mirror*>(widget.data())) mirror->Detach();
  for (QWidget* child : widget->findChildren<QWidget*>()) {
    if (auto* mirror = dynamic_cast<Mirror*>(child)) mirror->Detach();
  }
  widget->hide();
  widget->deleteLater();
  for (auto entry = widgets_.begin(); entry != widgets_.end();) {
    auto* mirror = entry->second ? dynamic_cast<Mirror*>(entry->second.data()) : nullptr;
    if (mirror == nullptr || mirror->Model() == nullptr) {
      entry = widgets_.erase(entry);
    } else {
      ++entry;
    }
  }
}

void QtBackend::QuitModalLoops(const ui::Form& form) {
  for (auto& [modal_form, loop] : modal_loops_) {
    if (modal_form == &form) loop->quit();
  }
}

// ------------------------------------------------------------------- RenderObserver

void QtBackend::ControlAdded(ui::ControlHost& /*host*/, ui::Control& control) {
  MirrorControl(control);
}

void QtBackend::ControlRemoved(ui::ControlHost& /*host*/, ui::Control& control) {
  Unmirror(control);
}

void QtBackend::ControlChanged(ui::Control& control, std::string_view property) {
  Mirror* mirror = MirrorOf(control);
  if (property == "Container") {
    MirrorControl(control);
    return;
  }
  if (property == "ZOrder") {
    // Raised back to front, each within its own parent widget.
    if (control.Host() != nullptr) {
      for (ui::Control* stacked : control.Host()->StackingOrder()) {
        if (QWidget* widget = WidgetOf(*stacked)) widget->raise();
      }
    }
    return;
  }
  if (mirror == nullptr) return;
  if (property == "Picture") {
    mirror->PictureChanged();
  } else if (property == "MultiLine") {
    // A single-line and a multi-line editor are different widgets.
    Unmirror(control);
    MirrorControl(control);
  } else {
    mirror->Apply();
  }
}

void QtBackend::HostChanged(ui::ControlHost& host, std::string_view property) {
  if (auto* form = dynamic_cast<ui::Form*>(&host)) {
    FormSurface* surface = Surface(*form, nullptr, false);
    if (surface == nullptr) return;
    if (property == "Position") {
      if (surface->isWindow()) {
        surface->move(PixelsFromTwips(form->Left(), twips_per_pixel_),
                      PixelsFromTwips(form->Top(), twips_per_pixel_));
      }
      return;
    }
    surface->ApplyForm();
    RepaintTree(*surface);
    return;
  }
  if (auto* user_control = dynamic_cast<ui::UserControl*>(&host)) {
    ui::Extender* site = user_control->Site();
    Mirror* mirror = site != nullptr ? MirrorOf(*site) : nullptr;
    if (mirror == nullptr) return;
    mirror->Apply();
    RepaintTree(mirror->Widget());
    return;
  }
  if (auto* page = dynamic_cast<ui::PropertyPage*>(&host)) {
    if (QWidget* surface = SurfaceWidget(*page)) RepaintTree(*surface);
  }
}

void QtBackend::RepaintRequested(ui::ControlHost& host) {
  QWidget* surface = nullptr;
  if (auto* form = dynamic_cast<ui::Form*>(&host)) {
    surface = Surface(*form, nullptr, false);
  } else if (auto* user_control = dynamic_cast<ui::UserControl*>(&host)) {
    // A user control painted: its drawing goes on screen now, not from the event loop,
    // which a long run may not reach for a while.
    ui::Extender* site = user_control->Site();
    QWidget* widget = site != nullptr ? WidgetOf(*site) : nullptr;
    if (widget != nullptr && widget->isVisible()) widget->repaint();
    return;
  } else {
    surface = SurfaceWidget(host);
  }
  if (surface != nullptr) RepaintTree(*surface);
}

void QtBackend::FocusChanged(ui::Control& control) {
  QWidget* widget = WidgetOf(control);
  if (widget != nullptr && widget->isVisible() && !widget->hasFocus())
    widget->setFocus(Qt::OtherFocusReason);
}

void QtBackend::FormShown(ui::Form& form, bool modal) {
  DropStaleSurfaces();
  FormSurface* surface = Surface(form, nullptr, true);
  MirrorHost(form);
  surface->ApplyForm();
  if (surface->isWindow()) surface->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  surface->show();
  if (surface->isWindow()) {
    surface->raise();
    surface->activateWindow();
  }
}

void QtBackend::ItemsChanged(ui::Control& control, const ui::ItemChange& change) {
  if (Mirror* mirror = MirrorOf(control)) mirror->ItemsChanged(change);
}

void QtBackend::RefreshRequested(ui::Control& control) {
  // Painted now, not from the event loop: the caller may keep the loop busy.
  if (QWidget* widget = WidgetOf(control)) {
    widget->repaint();
    for (QWidget* child : widget->findChildren<QWidget*>()) {
      if (child->isVisible()) child->repaint();
    }
  }
}

void QtBackend::FormHidden(ui::Form& form) {
  if (FormSurface* surface = Surface(form, nullptr, false)) surface->hide();
  QuitModalLoops(form);
}

void QtBackend::FormUnloaded(ui::Form& form) {
  FormHidden(form);
}

// --------------------------------------------------------------------------- Backend

ui::OleColor QtBackend::SystemColor(int index) const {
  // The colours the desktop's palette has a role for; the classic scheme for the rest.
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
    case 4:  // menu
      return FromQColor(palette.color(QPalette::Window));
    case 5:  // window background
      return FromQColor(palette.color(QPalette::Base));
    case 7:  // menu text
      return FromQColor(palette.color(QPalette::WindowText));
    case 8:  // window text
      return FromQColor(palette.color(QPalette::Text));
    case 13:  // highlight
      return FromQColor(palette.color(QPalette::Highlight));
    case 14:  // highlight text
      return FromQColor(palette.color(QPalette::HighlightedText));
    case 15:  // button face
      return FromQColor(palette.color(QPalette::Button));
    case 16:  // button shadow
      return FromQColor(palette.color(QPalette::Dark));
    case 17:  // grey text
      return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case 18:  // button text
      return FromQColor(palette.color(QPalette::ButtonText));
    case 20:  // button highlight
      return FromQColor(palette.color(QPalette::Light));
    case 21:  // 3-D dark shadow
      return FromQColor(palette.color(QPalette::Shadow));
    case 22:  // 3-D light
      return FromQColor(palette.color(QPalette::Midlight));
    case 23:  // tooltip text
      return FromQColor(palette.color(QPalette::ToolTipText));
    case 24:  // tooltip background
      return FromQColor(palette.color(QPalette::ToolTipBase));
    default: {
      static const ui::HeadlessBackend classic;
      return classic.SystemColor(index);
    }
  }
}

int QtBackend::TextWidth(const ui::FontDesc& font, std::string_view text) const {
  return metrics_.TextWidth(font, text);
}

int QtBackend::TextHeight(const ui::FontDesc& font, std::string_view text) const {
  return metrics_.TextHeight(font, text);
}

int QtBackend::WrappedTextHeight(const ui::FontDesc& font, std::string_view text, int width) const {
  return metrics_.WrappedTextHeight(font, text, width);
}

ui::MsgBoxResult QtBackend::ShowMessageBox(const ui::MessageBoxRequest& request) {
  QMessageBox box(QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  QString text = QString::fromStdString(request.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setText(text);
  box.setWindowTitle(request.title.empty() ? QGuiApplication::applicationDisplayName()
                                           : QString::fromStdString(request.title));
  box.setIcon(IconOf(request.Icon()));
  const std::vector<MessageButton> buttons = ButtonsOf(request.Buttons());
  std::vector<std::pair<QAbstractButton*, ui::MsgBoxResult>> answers;
  QAbstractButton* escape = nullptr;
  for (const MessageButton& entry : buttons) {
    QPushButton* button = box.addButton(entry.button);
    answers.emplace_back(button, entry.answer);
    if (entry.answer == request.DefaultAnswer()) box.setDefaultButton(button);
    if (entry.answer == ui::MsgBoxResult::kCancel || buttons.size() == 1) escape = button;
  }
  // Esc answers Cancel, or the only button of a one-button box (otherwise Qt's own
  // choice: No in a Yes/No box).
  if (escape != nullptr) box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& [button, answer] : answers) {
    if (button == clicked) return answer;
  }
  return request.DefaultAnswer();
}

void QtBackend::SetMousePointer(int pointer) {
  mouse_pointer_ = pointer;
  if (override_cursor_) {
    QGuiApplication::restoreOverrideCursor();
    override_cursor_ = false;
  }
  if (pointer != ui::mouse_pointer::kDefault) {
    QGuiApplication::setOverrideCursor(QCursor(internal::CursorShapeOf(pointer)));
    override_cursor_ = true;
  }
}

void QtBackend::SetClipboardText(std::string text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string QtBackend::ClipboardText() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void QtBackend::SetClipboardPicture(std::shared_ptr<ui::StdPicture> picture) {
  if (!picture || picture->IsEmpty()) {
    QGuiApplication::clipboard()->clear();
    return;
  }
  QGuiApplication::clipboard()->setImage(ToQImage(*picture));
}

std::shared_ptr<ui::StdPicture> QtBackend::ClipboardPicture() const {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return nullptr;
  return PictureFromImage(image, ui::ResolveColor(ui::system_color::kWindowBackground));
}

void QtBackend::ClearClipboard() {
  QGuiApplication::clipboard()->clear();
}

Status QtBackend::ShellExecute(const ui::ShellRequest& request) {
  // Error numbers of the shell: 2 file not found, 31 no program for it.
  if (!request.verb.empty() && request.verb != "open")
    return Error{31, "No program is associated with \"" + request.verb + "\" here", {}};
  if (request.file.empty()) return Error{2, "The system cannot find the file specified", {}};
  const QUrl url =
      QUrl::fromUserInput(QString::fromStdString(request.file),
                          QString::fromStdString(request.directory), QUrl::AssumeLocalFile);
  if (!url.isValid())
    return Error{2, "The system cannot find the file specified: " + request.file, {}};
  if (!QDesktopServices::openUrl(url)) return Error{31, "No program opens " + request.file, {}};
  return Ok();
}

ui::TimerId QtBackend::StartTimer(std::chrono::milliseconds interval, std::function<void()> tick) {
  if (interval.count() < 1 || !tick) return 0;
  const ui::TimerId id = next_timer_++;
  auto* timer = new QTimer(timer_owner_.get());
  timer->setInterval(
      static_cast<int>(std::min<std::chrono::milliseconds::rep>(interval.count(), INT_MAX)));
  auto handler = std::make_shared<std::function<void()>>(std::move(tick));
  QObject::connect(timer, &QTimer::timeout, timer, [handler] {
    // The handler may stop its own timer; it stays alive until it returns.
    std::shared_ptr<std::function<void()>> keep = handler;
    (*keep)();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

void QtBackend::StopTimer(ui::TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

std::vector<int> QtBackend::ShowPopupMenu(const ui::PopupMenuRequest& request) {
  QMenu menu(QApplication::activeWindow());
  std::map<const QAction*, std::vector<int>> chosen_by;
  std::vector<int> prefix;
  AddMenuEntries(menu, request.entries, prefix, chosen_by);
  QPoint at = QCursor::pos();
  QWidget* surface = request.surface != nullptr ? SurfaceWidget(*request.surface) : nullptr;
  if (surface != nullptr && (request.x || request.y)) {
    QPoint local = surface->mapFromGlobal(at);
    if (request.x) local.setX(PixelsFromTwips(*request.x, twips_per_pixel_));
    if (request.y) local.setY(PixelsFromTwips(*request.y, twips_per_pixel_));
    at = surface->mapToGlobal(local);
  }
  const int width = menu.sizeHint().width();
  if (request.flags & ui::popup_menu::kCenterAlign) {
    at.rx() -= width / 2;
  } else if (request.flags & ui::popup_menu::kRightAlign) {
    at.rx() -= width;
  }
  LeftButtonOnly left_button_only;
  if ((request.flags & ui::popup_menu::kRightButton) == 0) {
    menu.installEventFilter(&left_button_only);
    for (QMenu* submenu : menu.findChildren<QMenu*>())
      submenu->installEventFilter(&left_button_only);
  }
  const QAction* chosen = menu.exec(at);
  auto it = chosen_by.find(chosen);
  return it != chosen_by.end() ? it->second : std::vector<int>();
}

void QtBackend::RunModal(ui::Form& form) {
  auto keep = form.weak_from_this().lock();
  if (!form.Visible()) return;
  QEventLoop loop;
  modal_loops_.emplace_back(&form, &loop);
  loop.exec(QEventLoop::DialogExec);
  modal_loops_.erase(std::find(modal_loops_.begin(), modal_loops_.end(),
                               std::pair<const ui::Form*, QEventLoop*>(&form, &loop)));
  if (FormSurface* surface = Surface(form, nullptr, false)) {
    if (surface->isWindow() && !surface->isVisible()) surface->setWindowModality(Qt::NonModal);
  }
}

}  // namespace feriant::ui_qt
