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
#include <QVBoxLayout>

#include "platform/base/clock.h"
#include "platform/base/text.h"

namespace feriant::host_shell {

ShellWindow::ShellWindow(QWidget* parent) : QMainWindow(parent) {
  file_menu_ = menuBar()->addMenu("&File");
  tools_menu_ = menuBar()->addMenu("&Tools");
  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);
}

ShellWindow::~ShellWindow() {
  DisconnectAddIns();
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
  QRect bounds;
  for (QWidget* window : windows)
    bounds |= window->geometry();
  QImage image(bounds.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (QWidget* window : windows)
    painter.drawPixmap(window->geometry().topLeft() - bounds.topLeft(), window->grab());
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
