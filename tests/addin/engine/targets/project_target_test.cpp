#include "addin/engine/targets/project_target.h"

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/engine/holiday_run.h"
#include "hosts/project/dispatch_ids.h"
#include "hosts/project/project_application.h"
#include "tests/addin/engine/target_test_support.h"
#include "tests/hosts/project/test_files.h"

namespace feriant::engine {
namespace {

using automation::Variant;

// Project's application, with every BaseCalendarEditDays call written down before it is
// passed on: "Standard 2006-01-01 Working=False".
class EditRecorder final : public automation::Dispatch {
 public:
  explicit EditRecorder(std::shared_ptr<project::ProjectApplication> project)
      : project_(std::move(project)) {}

  std::vector<std::string> edits;

  std::string TypeName() const override { return project_->TypeName(); }
  Result<automation::DispId> GetIdOfName(std::string_view name) const override {
    return project_->GetIdOfName(name);
  }
  Result<Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                         std::span<Variant> args,
                         std::span<const automation::NamedArg> named) override {
    if (id == project::dispid::kBaseCalendarEditDays) {
      std::string edit;
      for (const automation::NamedArg& arg : named) {
        const std::string value = arg.value.type() == automation::VarType::kDate
                                      ? Day(arg.value)
                                      : arg.value.ToString().value_or("?");
        if (arg.name == "Name") {
          edit = value + edit;
        } else if (arg.name == "StartDate" || arg.name == "EndDate") {
          edit += " " + value;
        } else {
          edit += " " + arg.name + "=" + value;
        }
      }
      edits.push_back(edit);
    }
    return project_->Invoke(id, kind, args, named);
  }

  static std::string Day(const Variant& date) {
    const auto day = date.ToDate()->Day();
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
  }

 private:
  std::shared_ptr<project::ProjectApplication> project_;
};

class DayCollector final : public OccurrenceObserver {
 public:
  std::vector<std::string> days_off;
  int others = 0;
  void OnOccurrence(const Occurrence& o) override {
    if (o.IsDayOff) {
      days_off.push_back(EditRecorder::Day(Variant(automation::Date::FromLocal(o.date.Start))));
    } else {
      ++others;
    }
  }
};

class ProjectRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data::InitHolidayData();
    file_ = scratch_.Copy("project2010.xml");
    ASSERT_TRUE(project_->Open(file_).ok());
  }

  // One run through HolidayRun with the calendars selected in that order.
  testing::RecordingDialog Run(std::vector<std::string> calendars, bool removal,
                               std::optional<std::set<std::int32_t>> holidays = std::nullopt,
                               OccurrenceObserver* observer = nullptr) {
    RunSelection selection = testing::TargetSelection(kHostProject);
    selection.calendars = std::move(calendars);
    selection.is_removal = removal;
    testing::RecordingDialog dialog;
    dialog::clsLangSetter texts;
    texts.LanguageID = 1033;
    ProjectTarget target(recorder_);
    HolidayRun run(dialog, texts, &target);
    if (holidays) run.SetRules(testing::OnlyHolidays(*holidays));
    run.SetObserver(observer);
    recorder_->edits.clear();
    run.ProcessHolidays(selection);
    return dialog;
  }

  project::testing::ScratchDir scratch_;
  std::filesystem::path file_;
  std::shared_ptr<project::ProjectApplication> project_ = project::ProjectApplication::Create();
  std::shared_ptr<EditRecorder> recorder_ = std::make_shared<EditRecorder>(project_);
};

// Every day off is counted once and edits each selected calendar in list order; days
// that are off nowhere in the country (half days, non-statutory days) never reach Project.
// Importing again counts the same and changes nothing; removing counts the same again.
TEST_F(ProjectRunTest, EditsEverySelectedCalendarForEachDayOff) {
  const std::vector<std::string> calendars = {"Night Shift", "Standard", "24 Hours"};
  DayCollector occurrences;
  const testing::RecordingDialog first = Run(calendars, false, std::nullopt, &occurrences);
  ASSERT_GT(occurrences.days_off.size(), 5u);
  EXPECT_GT(occurrences.others, 0);  // e.g. Aschermittwoch, Muttertag
  const std::string count = std::to_string(occurrences.days_off.size());
  ASSERT_TRUE(project_->Save().ok());
  const std::string imported = feriant::testing::ReadWholeFile(file_);
  EXPECT_NE(imported,
            feriant::testing::ReadWholeFile(project::testing::DataFile("project2010.xml")));

  for (const bool removal : {false, true}) {
    std::vector<std::string> expected;
    for (const std::string& day : occurrences.days_off) {
      for (const std::string& calendar : calendars)
        expected.push_back(calendar + " " + day + " " + day +
                           (removal ? " Default=True" : " Working=False"));
    }
    const testing::RecordingDialog again = Run(calendars, removal);
    SCOPED_TRACE(removal ? "removal" : "second import");
    EXPECT_EQ(recorder_->edits, expected);
    EXPECT_EQ(again.BoxTexts(),
              std::vector<std::string>{(removal ? "removed " : "added ") + count + ", modified 0"});
    if (!removal) {
      EXPECT_EQ(first.BoxTexts(), again.BoxTexts());
      EXPECT_FALSE(project_->HasUnsavedChanges());
      ASSERT_TRUE(project_->Save().ok());
      EXPECT_EQ(feriant::testing::ReadWholeFile(file_), imported);
    }
  }
  EXPECT_TRUE(project_->HasUnsavedChanges());
}

// A calendar Project refuses ends that occurrence: the calendars after it are not edited,
// the occurrence stays counted, and the next holiday goes on.
TEST_F(ProjectRunTest, AnUnknownCalendarEndsTheOccurrence) {
  const testing::RecordingDialog dialog =
      Run({"Standard", "Nope", "Night Shift"}, false, std::set<std::int32_t>{0, 86});
  EXPECT_EQ(dialog.BoxTexts(), (std::vector<std::string>{"HandleDate Error.", "HandleDate Error.",
                                                         "added 2, modified 0"}));
  EXPECT_EQ(dialog.boxes[0].title, "Zent Feriant");
  EXPECT_EQ(dialog.boxes[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(recorder_->edits, (std::vector<std::string>{
                                  "Standard 2006-01-01 2006-01-01 Working=False",
                                  "Nope 2006-01-01 2006-01-01 Working=False",
                                  "Standard 2006-12-25 2006-12-25 Working=False",
                                  "Nope 2006-12-25 2006-12-25 Working=False",
                              }));
}

}  // namespace
}  // namespace feriant::engine
