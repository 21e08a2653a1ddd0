#include "apps/feriant-outlook/outlook_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

#include "hosts/outlook/dispatch_ids.h"
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

OutlookWindow::OutlookWindow(std::shared_ptr<office::CommandBars> command_bars,
                             automation::ObjectRef application, std::filesystem::path file)
    : ShellWindow(std::move(command_bars)),
      application_(std::move(application)),
      file_(std::move(file)) {
  // A collection's URL ends in "/": it is named whole.
  setWindowTitle(QString::fromStdString(
      "Calendar - " + (file_.has_filename() ? file_.filename().string() : file_.string())));
  view_ = new QTreeWidget(this);
  view_->setObjectName("appointments");
  view_->setRootIsDecorated(false);
  view_->setHeaderLabels({"Date", "Subject", "Location", "Categories"});
  view_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setCentralWidget(view_);
  AddCommand("File", "E&xit", host_shell::kQuitCommandId, [this] { close(); });
  AddCommand("Tools", "Add-&ins...", host_shell::kAddInsCommandId, [this] { ShowAddInsDialog(); });
  resize(980, 700);
}

std::string OutlookWindow::Location() const {
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
