#include "apps/host-shell/shell_window.h"

#include <algorithm>
#include <iostream>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/ui_qt/picture_image.h"

namespace feriant::host_shell {

namespace {

// The picture with the mask's white pixels transparent; the picture alone without a mask.
QIcon IconOf(const office::CommandBarControl& control) {
  if (control.picture() == nullptr || control.picture()->IsEmpty()) return {};
  QImage image = ui_qt::ToQImage(*control.picture()).convertToFormat(QImage::Format_ARGB32);
  if (control.mask() != nullptr && !control.mask()->IsEmpty()) {
    const QImage mask = ui_qt::ToQImage(*control.mask());
    for (int y = 0; y < std::min(image.height(), mask.height()); ++y) {
      for (int x = 0; x < std::min(image.width(), mask.width()); ++x) {
        if (qGray(mask.pixel(x, y)) > 127) image.setPixel(x, y, qRgba(0, 0, 0, 0));
      }
    }
  }
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

ShellWindow::ShellWindow(std::shared_ptr<office::CommandBars> command_bars, QWidget* parent)
    : QMainWindow(parent), command_bars_(std::move(command_bars)) {
  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);
  // The built-in bars: a menu bar with File and Tools.
  auto menu_bar = command_bars_->Add("Menu Bar", office::kBarTop, true, false, true);
  if (menu_bar) {
    for (auto [caption, id] :
         {std::pair{"&File", kFileMenuId}, std::pair{"&Tools", kToolsMenuId}}) {
      if (auto popup = (*menu_bar)->AddControl(office::kControlPopup, id))
        (*popup)->SetCaption(caption);
    }
  }
  command_bars_->AddObserver(this);
  RenderCommandBars();
}

ShellWindow::~ShellWindow() {
  DisconnectAddIns();
  command_bars_->RemoveObserver(this);
}

void ShellWindow::AddCommand(std::string_view menu, std::string caption, std::int32_t id,
                             std::function<void()> run) {
  const std::shared_ptr<office::CommandBar> bar = command_bars_->Find(menu);
  if (bar == nullptr) return;
  auto control = bar->AddControl(office::kControlButton, id);
  if (!control) return;
  (*control)->SetCaption(std::move(caption));
  commands_[control->get()] = std::move(run);
}

void ShellWindow::OnCommandBarsChanged(const office::CommandBarsChange&) {
  // Rendered from the event loop: the change may come from a handler of a rendered action.
  if (render_pending_) return;
  render_pending_ = true;
  QMetaObject::invokeMethod(
      this, [this] { RenderCommandBars(); }, Qt::QueuedConnection);
}

QAction* ShellWindow::RenderControl(const std::shared_ptr<office::CommandBarControl>& control,
                                    QWidget* owner) {
  auto* action = new QAction(QString::fromStdString(control->caption()), owner);
  action->setEnabled(control->enabled());
  if (control->style() != office::kStyleCaption) action->setIcon(IconOf(*control));
  const std::weak_ptr<office::CommandBarControl> weak = control;
  QObject::connect(action, &QAction::triggered, this, [this, weak] {
    if (auto clicked = weak.lock()) Execute(clicked);
  });
  actions_[control.get()] = action;
  return action;
}

void ShellWindow::RenderCommandBars() {
  render_pending_ = false;
  actions_.clear();
  menuBar()->clear();
  for (QToolBar* toolbar : toolbars_) {
    removeToolBar(toolbar);
    toolbar->deleteLater();
  }
  toolbars_.clear();
  const std::shared_ptr<office::CommandBar> menu_bar = command_bars_->MenuBar();
  for (const std::shared_ptr<office::CommandBar>& bar : command_bars_->bars()) {
    if (bar->deleted() || (!bar->visible() && bar != menu_bar)) continue;
    if (bar == menu_bar) {
      for (const auto& control : bar->controls()) {
        if (!control->visible()) continue;
        if (control->popup_bar() == nullptr) {
          menuBar()->addAction(RenderControl(control, menuBar()));
          continue;
        }
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(control->caption()));
        for (const auto& item : control->popup_bar()->controls()) {
          if (!item->visible()) continue;
          if (item->begin_group()) menu->addSeparator();
          menu->addAction(RenderControl(item, menu));
        }
      }
      continue;
    }
    auto* toolbar = new QToolBar(QString::fromStdString(bar->name()), this);
    toolbar->setObjectName(QString::fromStdString(bar->name()));
    for (const auto& control : bar->controls()) {
      if (!control->visible()) continue;
      if (control->begin_group()) toolbar->addSeparator();
      toolbar->addAction(RenderControl(control, toolbar));
      if (auto* button =
              qobject_cast<QToolButton*>(toolbar->widgetForAction(actions_[control.get()]))) {
        button->setToolButtonStyle(control->style() == office::kStyleIcon ? Qt::ToolButtonIconOnly
                                   : control->style() == office::kStyleCaption
                                       ? Qt::ToolButtonTextOnly
                                       : Qt::ToolButtonTextBesideIcon);
      }
    }
    addToolBar(Qt::TopToolBarArea, toolbar);
    toolbars_.push_back(toolbar);
  }
}

QAction* ShellWindow::ActionOf(const office::CommandBarControl& control) const {
  const auto found = actions_.find(&control);
  return found == actions_.end() ? nullptr : found->second;
}

void ShellWindow::Execute(const std::shared_ptr<office::CommandBarControl>& control) {
  const bool cancelled = control->Click();
  if (!cancelled) {
    if (const auto command = commands_.find(control.get()); command != commands_.end()) {
      const std::function<void()> run = command->second;
      run();
    }
  }
  AfterCommand();
}

std::shared_ptr<office::CommandBarControl> ShellWindow::AddInToolbarButton() const {
  const std::shared_ptr<office::CommandBar> menu_bar = command_bars_->MenuBar();
  for (const std::shared_ptr<office::CommandBar>& bar : command_bars_->bars()) {
    if (bar == menu_bar) continue;
    for (const auto& control : bar->controls()) {
      if (control->on_action().starts_with("!<")) return control;
    }
  }
  return nullptr;
}

void ShellWindow::SetAddInManager(std::unique_ptr<AddInManager> manager) {
  add_ins_ = std::move(manager);
}

void ShellWindow::ConnectAddIns() {
  if (!add_ins_) return;
  const std::vector<Error> failures = add_ins_->ConnectAtStartup();
  for (const Error& failure : failures)
    std::cerr << failure.description << "\n";
  if (!failures.empty()) ShowStatus(QString::fromStdString(failures.front().description));
}

void ShellWindow::DisconnectAddIns() {
  if (add_ins_) add_ins_->Shutdown();
  command_bars_->DiscardTemporary();
}

void ShellWindow::ShowStatus(const QString& text) {
  status_->setText(text);
}

QString ShellWindow::status_text() const {
  return status_->text();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
  DisconnectAddIns();
  event->accept();
}

void ShellWindow::ShowAddInsDialog() {
  if (!add_ins_) return;
  Result<std::vector<RegisteredAddIn>> listed = add_ins_->List();
  if (!listed) {
    QMessageBox::warning(this, "Add-ins", QString::fromStdString(listed.error().description));
    return;
  }
  QDialog dialog(this);
  dialog.setWindowTitle("Add-ins");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("Add-ins available:", &dialog));
  auto* list = new QListWidget(&dialog);
  list->setObjectName("addins");
  for (const RegisteredAddIn& entry : *listed) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.friendly_name), list);
    item->setData(Qt::UserRole, QString::fromStdString(entry.prog_id));
    item->setToolTip(QString::fromStdString(entry.description));
    item->setCheckState(entry.connected ? Qt::Checked : Qt::Unchecked);
  }
  layout->addWidget(list);
  auto* description = new QLabel(&dialog);
  description->setWordWrap(true);
  layout->addWidget(description);
  QObject::connect(list, &QListWidget::currentItemChanged, description,
                   [description](QListWidgetItem* item) {
                     description->setText(item != nullptr ? item->toolTip() : QString());
                   });
  if (list->count() > 0) list->setCurrentRow(0);
  if (list->count() == 0) description->setText("No add-in is registered for this program.");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return;

  QStringList failures;
  for (int row = 0; row < list->count(); ++row) {
    const QListWidgetItem* item = list->item(row);
    const std::string prog_id = item->data(Qt::UserRole).toString().toStdString();
    const bool wanted = item->checkState() == Qt::Checked;
    if (wanted == add_ins_->IsConnected(prog_id)) continue;
    if (Status changed = add_ins_->SetLoaded(prog_id, wanted); !changed)
      failures << QString::fromStdString(changed.error().description);
  }
  if (!failures.isEmpty()) QMessageBox::warning(this, "Add-ins", failures.join("\n"));
  Refresh();
}

bool SaveWindowsScreenshot(const QString& file) {
  std::vector<QWidget*> windows;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowType() != Qt::ToolTip) windows.push_back(widget);
  }
  if (windows.empty()) return false;
  // The main window first, so that dialogs are drawn over it.
  std::stable_sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
    return dynamic_cast<QMainWindow*>(a) != nullptr && dynamic_cast<QMainWindow*>(b) == nullptr;
  });
  // Without a window manager every window stands at the same corner; a dialog there is
  // drawn centred over the main window, where a window manager would put it.
  std::vector<QRect> places;
  const QRect main = windows.front()->geometry();
  for (QWidget* window : windows) {
    QRect place = window->geometry();
    if (window != windows.front() && place.topLeft() == main.topLeft()) {
      place.moveCenter(main.center());
      place.moveTopLeft(
          QPoint(std::max(place.left(), main.left()), std::max(place.top(), main.top())));
    }
    places.push_back(place);
  }
  QRect bounds;
  for (const QRect& place : places)
    bounds |= place;
  QImage image(bounds.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (size_t i = 0; i < windows.size(); ++i) {
    const QRect place = places[i].translated(-bounds.topLeft());
    painter.drawPixmap(place.topLeft(), windows[i]->grab());
    if (i > 0) {
      painter.setPen(Qt::darkGray);
      painter.drawRect(place.adjusted(0, 0, -1, -1));
    }
  }
  painter.end();
  return image.save(file, "PNG");
}

Status SetToday(const std::string& day) {
  const auto parsed = base::ParseIsoDay(day);
  if (!parsed) {
    return ErrorOf(ErrorKind::kInvalid, "--today \"" + day +
                                            "\" is not a date: give it as YYYY-MM-DD, for "
                                            "example 2006-07-09");
  }
  base::SetCurrentClock(std::make_shared<base::FixedClock>(
      std::chrono::local_seconds{std::chrono::local_days{*parsed}}));
  return Ok();
}

}  // namespace feriant::host_shell
