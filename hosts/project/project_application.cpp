#include "hosts/project/project_application.h"

#include <cmath>
#include <utility>
#include <vector>

#include "hosts/project/dispatch_ids.h"
#include "platform/base/environment.h"
#include "platform/registry/registry.h"

namespace feriant::project {
namespace {

using automation::Date;
using automation::DispatchObject;
using automation::Members;
using automation::NamedArg;
using automation::ObjectRef;
using automation::Variant;
using automation::VariantArray;
namespace hresult = automation::hresult;

constexpr const char* kSource = "Project";

Error CallError(std::string description) {
  return Error{hresult::kException, std::move(description), kSource};
}

class CalendarObject : public DispatchObject<CalendarObject> {
 public:
  explicit CalendarObject(std::string name) : name_(std::move(name)) {}
  const std::string& name() const { return name_; }

  std::string TypeName() const override { return "Calendar"; }
  static const Members<CalendarObject>& Interface() {
    static const Members<CalendarObject> members = [] {
      Members<CalendarObject> m;
      m.Get("Name", dispid::kCalendarName,
            [](CalendarObject& self, std::span<Variant>) -> Result<Variant> {
              return Variant(self.name_);
            });
      // A Project XML file holds no enterprise calendars.
      m.Get("Enterprise", dispid::kCalendarEnterprise,
            [](CalendarObject&, std::span<Variant>) -> Result<Variant> { return Variant(false); });
      return m;
    }();
    return members;
  }

 private:
  std::string name_;
};

// Count, Item (1-based index, or name through Self::ItemHasName) and enumeration over the
// elements Self::Items() gives.
template <class Self>
class CollectionObject : public DispatchObject<Self> {
 public:
  static Members<Self> CollectionMembers() {
    Members<Self> m;
    m.Get("Count", dispid::kCount, [](Self& self, std::span<Variant>) -> Result<Variant> {
      return Variant(static_cast<std::int32_t>(self.Items().size()));
    });
    m.Get("Item", dispid::kItem, [](Self& self, std::span<Variant> args) -> Result<Variant> {
      if (args.empty() || args[0].IsMissing())
        return automation::MakeError(hresult::kParamNotOptional, "Index");
      const std::vector<ObjectRef> items = self.Items();
      if (const std::string* name = args[0].AsString()) {
        for (const ObjectRef& item : items) {
          if (self.ItemHasName(*item, *name)) return Variant(item);
        }
        return automation::MakeError(hresult::kBadIndex, "\"" + *name + "\"");
      }
      auto index = args[0].ToI4();
      if (!index) return index.error();
      if (*index < 1 || static_cast<size_t>(*index) > items.size())
        return automation::MakeError(hresult::kBadIndex, std::to_string(*index));
      return Variant(items[static_cast<size_t>(*index) - 1]);
    });
    m.Get("_NewEnum", dispid::kNewEnum, [](Self& self, std::span<Variant>) -> Result<Variant> {
      VariantArray elements;
      for (const ObjectRef& item : self.Items())
        elements.emplace_back(item);
      return Variant(std::move(elements));
    });
    return m;
  }
};

class CalendarsObject : public CollectionObject<CalendarsObject> {
 public:
  explicit CalendarsObject(std::vector<ObjectRef> calendars) : calendars_(std::move(calendars)) {}
  std::vector<ObjectRef> Items() const { return calendars_; }
  bool ItemHasName(automation::Dispatch& item, const std::string& name) const {
    return automation::NamesEqual(static_cast<CalendarObject&>(item).name(), name);
  }
  std::string TypeName() const override { return "Calendars"; }
  static const Members<CalendarsObject>& Interface() {
    static const Members<CalendarsObject> members = CollectionMembers();
    return members;
  }

 private:
  std::vector<ObjectRef> calendars_;
};

class ProjectObject : public DispatchObject<ProjectObject> {
 public:
  explicit ProjectObject(std::shared_ptr<ProjectFile> file) : file_(std::move(file)) {}

  std::string TypeName() const override { return "Project"; }
  static const Members<ProjectObject>& Interface() {
    static const Members<ProjectObject> members = [] {
      Members<ProjectObject> m;
      m.Get("Name", dispid::kProjectName,
            [](ProjectObject& self, std::span<Variant>) -> Result<Variant> {
              return Variant(self.file_->path().filename().string());
            });
      m.Get("BaseCalendars", dispid::kBaseCalendars,
            [](ProjectObject& self, std::span<Variant>) -> Result<Variant> {
              std::vector<ObjectRef> calendars;
              for (std::string& name : self.file_->BaseCalendarNames()) {
                calendars.push_back(std::make_shared<CalendarObject>(std::move(name)));
              }
              return Variant(std::make_shared<CalendarsObject>(std::move(calendars)));
            });
      m.Get("DefaultTaskType", dispid::kProjectDefaultTaskType,
            [](ProjectObject& self, std::span<Variant>) -> Result<Variant> {
              return Variant(self.file_->DefaultTaskType());
            });
      m.Get("Title", dispid::kProjectTitle,
            [](ProjectObject& self, std::span<Variant>) -> Result<Variant> {
              return Variant(self.file_->Title());
            });
      return m;
    }();
    return members;
  }

 private:
  std::shared_ptr<ProjectFile> file_;
};

// The open projects, read live from the application: 0 or 1 of them.
class ProjectsObject : public CollectionObject<ProjectsObject> {
 public:
  explicit ProjectsObject(std::shared_ptr<ProjectApplication> application)
      : application_(std::move(application)) {}
  std::vector<ObjectRef> Items() const {
    auto project = application_->Get(dispid::kActiveProject);
    if (!project) return {};
    return {project->AsObject()};
  }
  bool ItemHasName(automation::Dispatch& item, const std::string& name) const {
    auto project_name = item.Get(dispid::kProjectName);
    return project_name && project_name->AsString() != nullptr &&
           automation::NamesEqual(*project_name->AsString(), name);
  }
  std::string TypeName() const override { return "Projects"; }
  static const Members<ProjectsObject>& Interface() {
    static const Members<ProjectsObject> members = CollectionMembers();
    return members;
  }

 private:
  std::shared_ptr<ProjectApplication> application_;
};

// A date argument as a calendar day. A number beyond any calendar (the automation
// runtime's dates end at 9999-12-31) is the caller's mistake, named as such.
Result<std::chrono::year_month_day> DayArgument(const Variant& value, const char* name) {
  auto date = value.ToDate();
  if (!date) {
    if (date.error().code != hresult::kOverflow) return date.error();
    return CallError(std::string(name) + " is not a date Project's calendars can hold");
  }
  return date->Day();
}

}  // namespace

std::shared_ptr<ProjectApplication> ProjectApplication::Create() {
  return std::shared_ptr<ProjectApplication>(new ProjectApplication());
}

Status ProjectApplication::Open(const std::filesystem::path& path) {
  if (HasUnsavedChanges()) {
    return Error{hresult::kFail,
                 "cannot open " + path.string() + ": " + file_->path().string() +
                     " has edits that are not saved yet",
                 kSource};
  }
  auto file = ProjectFile::Open(path);
  if (!file) return file.error();
  file_ = std::make_shared<ProjectFile>(std::move(*file));
  active_project_ = std::make_shared<ProjectObject>(file_);
  return Ok();
}

Status ProjectApplication::Save() {
  if (!file_) return Ok();
  return file_->Save();
}

void ProjectApplication::Close() {
  file_.reset();
  active_project_.reset();
}

std::string ProjectApplication::Version() const {
  if (!version_.empty()) return version_;
  return file_ ? file_->VersionText() : std::string(kVersionWithoutProject);
}

Status ProjectApplication::RecordUserInterfaceLanguage() const {
  const std::string key = "Software\\Microsoft\\Office\\" + Version() + "\\MS Project";
  const std::int32_t lcid = base::UserLcid();
  // Looked up and written in one change under the registry's lock.
  return registry::Registry::CurrentUser().Update([&](registry::Hive& hive) -> Status {
    if (hive.ReadValue(key, "CurrentUI")) return Ok();
    return hive.WriteValue(key, "CurrentUI", lcid);
  });
}

Result<Variant> ProjectApplication::ActiveProject() const {
  if (!active_project_) return CallError("no project is open");
  return Variant(active_project_);
}

Result<Variant> ProjectApplication::Organizer(std::span<Variant> args,
                                              std::span<const NamedArg> named) {
  const Variant tab = automation::ArgumentOf(args, named, "Tab", 0);
  if (tab.IsMissing()) return automation::MakeError(hresult::kParamNotOptional, "Tab");
  auto number = tab.ToI4();
  if (!number) return number.error();
  if (organizer_) {
    if (Status shown = organizer_(*number); !shown) return shown.error();
  }
  return Variant();
}

Result<Variant> ProjectApplication::BaseCalendarEditDays(std::span<Variant> args,
                                                         std::span<const NamedArg> named) {
  static constexpr const char* kNames[] = {"Name", "StartDate", "EndDate", "Working", "Default"};
  for (const NamedArg& arg : named) {
    bool known = false;
    for (const char* name : kNames)
      known = known || automation::NamesEqual(arg.name, name);
    if (!known) return automation::MakeError(hresult::kUnknownName, arg.name);
  }
  if (args.size() > std::size(kNames)) return automation::MakeError(hresult::kBadParamCount);
  Variant values[std::size(kNames)];
  for (size_t i = 0; i < std::size(kNames); ++i) {
    values[i] = automation::ArgumentOf(args, named, kNames[i], i);
  }
  for (size_t i = 0; i < 3; ++i) {
    if (values[i].IsMissing()) return automation::MakeError(hresult::kParamNotOptional, kNames[i]);
  }
  if (!file_) return CallError("no project is open");

  auto name = values[0].ToString();
  if (!name) return name.error();
  auto first = DayArgument(values[1], "StartDate");
  if (!first) return first.error();
  auto last = DayArgument(values[2], "EndDate");
  if (!last) return last.error();

  bool non_working = false;
  bool to_default = false;
  if (!values[3].IsMissing()) {
    auto working = values[3].ToBool();
    if (!working) return working.error();
    if (*working) {
      return automation::MakeError(hresult::kInvalidArg,
                                   "Working = True is not supported; use Working = False or "
                                   "Default = True");
    }
    non_working = true;
  }
  if (!values[4].IsMissing()) {
    auto reset = values[4].ToBool();
    if (!reset) return reset.error();
    to_default = *reset;
  }
  if (non_working == to_default) {
    return automation::MakeError(hresult::kInvalidArg,
                                 non_working ? "Working = False and Default = True contradict "
                                               "each other"
                                             : "pass Working = False or Default = True");
  }

  Status edited =
      file_->EditDays(*name, *first, *last, non_working ? DayEdit::kNonWorking : DayEdit::kDefault);
  if (!edited) return CallError("BaseCalendarEditDays: " + edited.error().description);
  return Variant(true);
}

const Members<ProjectApplication>& ProjectApplication::Interface() {
  static const Members<ProjectApplication> members = [] {
    Members<ProjectApplication> m;
    m.Get("Version", dispid::kVersion,
          [](ProjectApplication& self, std::span<Variant>) -> Result<Variant> {
            return Variant(self.Version());
          });
    m.Get("CommandBars", dispid::kCommandBars,
          [](ProjectApplication& self, std::span<Variant>) -> Result<Variant> {
            if (!self.command_bars_) {
              return Error{hresult::kNotImplemented, "command bars are not available", kSource};
            }
            auto bars = self.command_bars_();
            if (!bars) return bars.error();
            return Variant(*bars);
          });
    m.Get("Projects", dispid::kProjects,
          [](ProjectApplication& self, std::span<Variant>) -> Result<Variant> {
            auto me = std::static_pointer_cast<ProjectApplication>(self.shared_from_this());
            return Variant(std::make_shared<ProjectsObject>(std::move(me)));
          });
    m.Method("Organizer", dispid::kOrganizer,
             [](ProjectApplication& self, std::span<Variant> args,
                std::span<const NamedArg> named) { return self.Organizer(args, named); });
    m.Get("ActiveProject", dispid::kActiveProject,
          [](ProjectApplication& self, std::span<Variant>) { return self.ActiveProject(); });
    m.Method(
        "BaseCalendarEditDays", dispid::kBaseCalendarEditDays,
        [](ProjectApplication& self, std::span<Variant> args, std::span<const NamedArg> named) {
          return self.BaseCalendarEditDays(args, named);
        });
    return m;
  }();
  return members;
}

}  // namespace feriant::project
