#include "apps/feriant-project/project_window.h"

#include <filesystem>
#include <system_error>

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/base/text.h"

namespace feriant::project_shell {
namespace {

std::string DayText(project::Day day) {
  return base::FormatIsoDay(std::chrono::year_month_day{day});
}

}  // namespace

std::vector<CalendarRow> CalendarRows(const project::ProjectFile& file) {
  std::vector<CalendarRow> rows;
  for (const std::string& name : file.BaseCalendarNames()) {
    CalendarRow row{name, {}};
    for (const project::DaySpan& span : file.NonWorkingDays(name)) {
      row.days.push_back(span.first == span.last
                             ? DayText(span.first)
                             : DayText(span.first) + " to " + DayText(span.last));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void ShowOrganizer(project::ProjectFile& file, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Organizer");
  auto* layout = new QHBoxLayout(&dialog);
  auto* list = new QListWidget(&dialog);
  list->setObjectName("calendars");
  layout->addWidget(list);
  auto* buttons = new QVBoxLayout;
  layout->addLayout(buttons);
  auto refill = [list, &file](const QString& current) {
    list->clear();
    for (const std::string& name : file.BaseCalendarNames())
      list->addItem(QString::fromStdString(name));
    const auto found = list->findItems(current, Qt::MatchExactly);
    list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
  };
  refill({});
  auto report = [&dialog](const Status& done) {
    if (!done)
      QMessageBox::warning(&dialog, "Organizer", QString::fromStdString(done.error().description));
    return static_cast<bool>(done);
  };
  auto selected = [list]() -> std::string {
    return list->currentItem() != nullptr ? list->currentItem()->text().toStdString() : "";
  };
  auto add = [&](const char* caption, auto action) {
    auto* button = new QPushButton(caption, &dialog);
    buttons->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, &dialog, action);
  };
  add("&Copy...", [&] {
    const std::string from = selected();
    if (from.empty()) return;
    bool ok = false;
    const QString to =
        QInputDialog::getText(&dialog, "Copy", "Name of the copy:", QLineEdit::Normal,
                              QString::fromStdString("Copy of " + from), &ok);
    if (ok && report(file.CopyBaseCalendar(from, to.toStdString()))) refill(to);
  });
  add("&Rename...", [&] {
    const std::string from = selected();
    if (from.empty()) return;
    bool ok = false;
    const QString to = QInputDialog::getText(&dialog, "Rename", "New name:", QLineEdit::Normal,
                                             QString::fromStdString(from), &ok);
    if (ok && report(file.RenameBaseCalendar(from, to.toStdString()))) refill(to);
  });
  add("&Delete", [&] {
    const std::string name = selected();
    if (name.empty()) return;
    if (QMessageBox::question(&dialog, "Organizer",
                              QString::fromStdString("Delete the base calendar \"" + name +
                                                     "\"?")) != QMessageBox::Yes)
      return;
    if (report(file.DeleteBaseCalendar(name))) refill({});
  });
  buttons->addStretch();
  add("C&lose", [&dialog] { dialog.accept(); });
  dialog.exec();
}

ProjectWindow::ProjectWindow(std::shared_ptr<office::CommandBars> command_bars,
                             std::shared_ptr<project::ProjectApplication> application)
    : ShellWindow(std::move(command_bars)), application_(std::move(application)) {
  setWindowTitle("Project");
  view_ = new QTreeWidget(this);
  view_->setObjectName("calendars");
  view_->setHeaderLabels({"Base calendar / non-working days"});
  setCentralWidget(view_);
  AddCommand("File", "&Open...", host_shell::kOpenCommandId, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, "Open", {}, "Project XML (*.xml);;All files (*)");
    if (!path.isEmpty()) OpenProject(path.toStdString());
  });
  AddCommand("File", "&Save", host_shell::kSaveCommandId, [this] { SaveEdits(); });
  AddCommand("File", "E&xit", host_shell::kQuitCommandId, [this] { close(); });
  AddCommand("Tools", "Add-&ins...", host_shell::kAddInsCommandId, [this] { ShowAddInsDialog(); });
  AddCommand("Tools", "&Organizer...", kOrganizerCommandId, [this] {
    if (application_->file() == nullptr) return ShowStatus("Open a project first.");
    ShowOrganizer(*application_->file(), this);
  });
  application_->SetCommandBars([bars = this->command_bars()]() -> Result<automation::ObjectRef> {
    return automation::ObjectRef(bars);
  });
  // What the add-in calls (dispatch id 126): the same dialog, returning when it closes.
  application_->SetOrganizer([this](std::int32_t) -> Status {
    if (application_->file() == nullptr) return ErrorOf(ErrorKind::kInvalid, "no project is open");
    ShowOrganizer(*application_->file(), this);
    Refresh();
    return Ok();
  });
  resize(980, 700);
}

std::string ProjectWindow::Location() const {
  if (application_->file() == nullptr) return {};
  std::error_code error;
  const std::filesystem::path& path = application_->file()->path();
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return (error ? path : absolute).lexically_normal().string();
}

void ProjectWindow::Refresh() {
  view_->clear();
  const project::ProjectFile* file = application_->file();
  if (file == nullptr) {
    setWindowTitle("Project");
    ShowStatus("No project is open.");
    return;
  }
  setWindowTitle(QString::fromStdString("Project - " + file->path().filename().string()));
  const std::vector<CalendarRow> rows = CalendarRows(*file);
  for (const CalendarRow& row : rows) {
    auto* item = new QTreeWidgetItem(view_, {QString::fromStdString(row.name)});
    for (const std::string& day : row.days)
      new QTreeWidgetItem(item, {QString::fromStdString(day)});
    item->setExpanded(true);
  }
  ShowStatus(QString("%1 base calendars in %2%3")
                 .arg(rows.size())
                 .arg(QString::fromStdString(file->path().string()))
                 .arg(application_->HasUnsavedChanges() ? " (changed, not saved)" : ""));
}

bool ProjectWindow::OpenProject(const std::string& path) {
  if (!SaveEdits()) return false;
  if (Status opened = application_->Open(path); !opened) {
    QMessageBox::warning(this, "Open", QString::fromStdString(opened.error().description));
    return false;
  }
  Refresh();
  return true;
}

void ProjectWindow::AfterCommand() {
  if (SaveEdits()) Refresh();
}

bool ProjectWindow::SaveEdits() {
  if (!application_->HasUnsavedChanges()) return true;
  if (Status saved = application_->Save(); !saved) {
    ShowStatus(QString::fromStdString(saved.error().description));
    QMessageBox::warning(this, "Save", QString::fromStdString(saved.error().description));
    return false;
  }
  Refresh();
  return true;
}

void ProjectWindow::closeEvent(QCloseEvent* event) {
  if (!SaveEdits() &&
      QMessageBox::question(this, "Project", "The changes could not be saved. Quit anyway?") !=
          QMessageBox::Yes) {
    event->ignore();
    return;
  }
  DisconnectAddIns();
  event->accept();
}

}  // namespace feriant::project_shell
