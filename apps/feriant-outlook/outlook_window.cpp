#include "apps/feriant-outlook/outlook_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "hosts/outlook/caldav_store.h"
#include "hosts/outlook/dispatch_ids.h"
#include "hosts/outlook/outlook.h"
#include "platform/automation/date.h"
#include "platform/base/text.h"

namespace feriant::outlook_shell {
namespace {

namespace dispid = outlook::dispid;
using automation::Variant;

Result<std::string> TextOf(automation::Dispatch& item, automation::DispId id) {
  Result<Variant> value = item.Get(id);
  if (!value) return value.error();
  return value->ToString();
}

}  // namespace

Result<std::vector<AppointmentRow>> CalendarRows(automation::Dispatch& application) {
  Result<Variant> name_space = application.Call(dispid::application::kGetNamespace, {"MAPI"});
  if (!name_space) return name_space.error();
  Result<Variant> folder =
      name_space->AsObject()->Call(dispid::name_space::kGetDefaultFolder, {std::int32_t{9}});
  if (!folder) return folder.error();
  Result<Variant> items = folder->AsObject()->Get(dispid::folder::kItems);
  if (!items) return items.error();
  Result<automation::VariantArray> all = items->AsObject()->Enumerate();
  if (!all) return all.error();

  struct Keyed {
    double start;
    AppointmentRow row;
  };
  std::vector<Keyed> keyed;
  for (const Variant& element : *all) {
    const automation::ObjectRef item = element.AsObject();
    if (item == nullptr) continue;
    Result<Variant> start = item->Get(dispid::appointment::kStart);
    if (!start) return start.error();
    Result<automation::Date> date = start->ToDate();
    if (!date) return date.error();
    Result<Variant> all_day = item->Get(dispid::appointment::kAllDayEvent);
    if (!all_day) return all_day.error();
    Result<bool> whole_days = all_day->ToBool();
    if (!whole_days) return whole_days.error();
    Keyed line{date->value(), {}};
    const std::chrono::local_seconds at = date->ToLocal();
    const auto day = std::chrono::floor<std::chrono::days>(at);
    line.row.date = base::FormatIsoDay(std::chrono::year_month_day{day});
    if (!*whole_days) {
      const std::chrono::hh_mm_ss time{at - day};
      char clock[8];
      std::snprintf(clock, sizeof clock, " %02d:%02d", static_cast<int>(time.hours().count()),
                    static_cast<int>(time.minutes().count()));
      line.row.date += clock;
    }
    for (auto [field, id] : {std::pair{&line.row.subject, dispid::appointment::kSubject},
                             std::pair{&line.row.location, dispid::appointment::kLocation},
                             std::pair{&line.row.categories, dispid::appointment::kCategories}}) {
      Result<std::string> text = TextOf(*item, id);
      if (!text) return text.error();
      *field = std::move(*text);
    }
    keyed.push_back(std::move(line));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const Keyed& a, const Keyed& b) { return a.start < b.start; });
  std::vector<AppointmentRow> rows;
  rows.reserve(keyed.size());
  for (Keyed& line : keyed)
    rows.push_back(std::move(line.row));
  return rows;
}

Result<std::string> CalendarLocation(std::string_view text) {
  const std::string trimmed =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed().toStdString();
  if (trimmed.empty()) return ErrorOf(ErrorKind::kInvalid, "No calendar was given.");
  if (outlook::IsCalendarUrl(trimmed)) return trimmed;
  const QUrl url(QString::fromStdString(trimmed));
  if (url.isLocalFile()) return url.toLocalFile().toStdString();
  // A scheme of more than one letter ("ftp:", "webcal:"): not a path we could read.
  if (url.scheme().size() > 1) {
    return ErrorOf(ErrorKind::kInvalid, "\"" + trimmed +
                                            "\" is neither a calendar file nor the http(s) URL "
                                            "of a server calendar.");
  }
  return trimmed;
}

std::optional<std::string> AskForCalendar(QWidget* parent, const std::string& current) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Open calendar");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(
      new QLabel("A calendar file (.ics) or the http(s) URL of a calendar on a server:", &dialog));
  auto* row = new QHBoxLayout;
  auto* field = new QLineEdit(QString::fromStdString(current), &dialog);
  field->setObjectName("location");
  field->setMinimumWidth(420);
  auto* browse = new QPushButton("&Browse...", &dialog);
  row->addWidget(field);
  row->addWidget(browse);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, field] {
    const QString path = QFileDialog::getOpenFileName(&dialog, "Open calendar", {},
                                                      "iCalendar (*.ics);;All files (*)");
    if (!path.isEmpty()) field->setText(path);
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, field] {
    const Result<std::string> location = CalendarLocation(field->text().toStdString());
    if (!location) {
      QMessageBox::warning(&dialog, "Open calendar",
                           QString::fromStdString(location.error().description));
      return;
    }
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return *CalendarLocation(field->text().toStdString());
}

Status SaveChangedCalendar(automation::Dispatch& application) {
  if (!outlook::HasUnsavedChanges(application)) return {};
  Status saved = outlook::SaveCalendar(application);
  if (!saved) outlook::AbandonUnsavedChanges(application);
  return saved;
}

OutlookWindow::OutlookWindow(std::shared_ptr<office::CommandBars> command_bars,
                             automation::ObjectRef application, std::filesystem::path file)
    : ShellWindow(std::move(command_bars)),
      application_(std::move(application)),
      file_(std::move(file)) {
  ShowTitle();
  view_ = new QTreeWidget(this);
  view_->setObjectName("appointments");
  view_->setRootIsDecorated(false);
  view_->setHeaderLabels({"Date", "Subject", "Location", "Categories"});
  view_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setCentralWidget(view_);
  AddCommand("File", "&Open...", host_shell::kOpenCommandId, [this] {
    if (!opener_) return ShowStatus("This window cannot open another calendar.");
    if (const std::optional<std::string> location = AskForCalendar(this, Location()))
      Open(*location);
  });
  AddCommand("File", "E&xit", host_shell::kQuitCommandId, [this] { close(); });
  AddCommand("Tools", "Add-&ins...", host_shell::kAddInsCommandId, [this] { ShowAddInsDialog(); });
  resize(980, 700);
}

void OutlookWindow::ShowTitle() {
  // A collection's URL ends in "/": it is named whole.
  setWindowTitle(QString::fromStdString(
      "Calendar - " + (file_.has_filename() ? file_.filename().string() : file_.string())));
}

void OutlookWindow::SetOpener(CalendarOpener opener, AddInManagerMaker add_ins) {
  opener_ = std::move(opener);
  add_ins_maker_ = std::move(add_ins);
  SetAddInManager(add_ins_maker_(application_));
}

bool OutlookWindow::Open(const std::string& location) {
  const auto refuse = [this](const std::string& why) {
    ShowStatus(QString::fromStdString(why));
    if (QGuiApplication::platformName() != "offscreen")
      QMessageBox::warning(this, "Open calendar", QString::fromStdString(why));
    return false;
  };
  Result<std::optional<automation::ObjectRef>> opened = opener_(location);
  if (!opened) return refuse(opened.error().description);
  if (!*opened) return false;  // the person cancelled
  // What the add-ins did to the calendar shown so far is written before it is let go of;
  // when that fails it stays shown, its changes kept for another try.
  if (outlook::HasUnsavedChanges(*application_)) {
    if (Status saved = outlook::SaveCalendar(*application_); !saved)
      return refuse(saved.error().description);
  }
  DisconnectAddIns();
  application_ = std::move(**opened);
  file_ = location;
  SetAddInManager(add_ins_maker_(application_));
  ShowTitle();
  ConnectAddIns();
  Refresh();
  return true;
}

std::string OutlookWindow::Location() const {
  if (outlook::IsCalendarUrl(file_.string())) return file_.string();
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file_, error);
  return (error ? file_ : absolute).lexically_normal().string();
}

void OutlookWindow::Refresh() {
  view_->clear();
  Result<std::vector<AppointmentRow>> rows = CalendarRows(*application_);
  if (!rows) {
    ShowStatus(QString::fromStdString(rows.error().description));
    return;
  }
  for (const AppointmentRow& row : *rows) {
    new QTreeWidgetItem(
        view_, {QString::fromStdString(row.date), QString::fromStdString(row.subject),
                QString::fromStdString(row.location), QString::fromStdString(row.categories)});
  }
  ShowStatus(QString("%1 appointments in %2")
                 .arg(rows->size())
                 .arg(QString::fromStdString(file_.string())));
}

}  // namespace feriant::outlook_shell
