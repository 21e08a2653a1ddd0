// The commands that write: import and remove (Outlook or Project mode) and the listing
// of a project's base calendars. Each plays the host connection (the host kind, the host's
// language), the dialog's loading (success texts, the calendar list) and its buttons.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "addin/data/holiday_data.h"
#include "addin/dialog/calendar_list.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/country_list.h"
#include "addin/dialog/read_calendar_names.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/host_kind.h"
#include "addin/engine/targets/outlook_target.h"
#include "addin/engine/targets/project_target.h"
#include "addin/host/msp_language.h"
#include "apps/feriant/command_support.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/console_dialog.h"
#include "apps/feriant/current_law.h"
#include "apps/feriant/interruption.h"
#include "apps/feriant/progress_line.h"
#include "apps/feriant/server_login.h"
#include "hosts/outlook/caldav_discovery.h"
#include "hosts/outlook/caldav_store.h"
#include "hosts/outlook/outlook.h"
#include "hosts/project/project_application.h"
#include "platform/base/clock.h"
#include "platform/base/environment.h"
#include "platform/base/file.h"
#include "platform/base/interrupt.h"
#include "platform/registry/registry.h"

namespace feriant::cli {
namespace {

namespace fs = std::filesystem;

// Names the UIDs of new appointments "<prefix>-1", "<prefix>-2", ... instead of random
// GUIDs, so that runs can be compared byte for byte (tests, reproducible examples).
constexpr const char* kUidPrefixVariable = "FERIANT_UID_PREFIX";
// Seconds since 1970 (UTC) that stamp saved appointments in place of the system's clock,
// as reproducible builds use it; --today never sets the stamps.
constexpr const char* kStampTimeVariable = "SOURCE_DATE_EPOCH";

std::string CommandName(const ImportOptions& options) {
  if (!options.command.empty()) return options.command;
  return options.removal ? "remove" : "import";
}

// Why the World Cup is missing from `countries`, when it is.
std::string_view WorldCupNote(std::string_view country, std::int32_t host_kind) {
  if (country != data::kWorldCupCountry) return {};
  if (host_kind == engine::kHostProject) {
    return "the World Cup's matches are not entered into a project's base calendars";
  }
  return "the World Cup is offered only before 10 July 2006 (pretend an earlier date with "
         "--today)";
}

// The texts of the dialog a host loads, in the host's language.
void AddHostTexts(RunSelection& selection, const dialog::clsLangSetter& texts,
                  std::int32_t host_kind) {
  const bool project = host_kind == engine::kHostProject;
  selection.banner_title = BannerTitle(texts);
  selection.success_add_message =
      texts.Message(project ? engine::MessageKey::ProjectMessages_SuccessAdd
                            : engine::MessageKey::OutlookMessages_SuccessAdd);
  selection.success_remove_message =
      texts.Message(project ? engine::MessageKey::ProjectMessages_SuccessRemove
                            : engine::MessageKey::OutlookMessages_SuccessRemove);
}

outlook::OutlookOptions OutlookOptionsFromEnvironment() {
  outlook::OutlookOptions options;
  const char* prefix = std::getenv(kUidPrefixVariable);
  if (prefix != nullptr && *prefix != '\0') {
    auto counter = std::make_shared<long>(0);
    options.new_uid = [prefix = std::string(prefix), counter] {
      return prefix + "-" + std::to_string(++*counter);
    };
  }
  // Up to the last second of the year 9999, the last a stamp can be written in.
  constexpr std::int64_t kLastStamp = 253402300799;
  const char* epoch = std::getenv(kStampTimeVariable);
  const auto seconds = ParseWholeNumber(epoch != nullptr ? epoch : "");
  if (seconds && *seconds >= 0 && *seconds <= kLastStamp) {
    const std::chrono::sys_seconds stamp{std::chrono::seconds(*seconds)};
    options.stamp_time = [stamp] { return stamp; };
  }
  return options;
}

// The file a run edits is a regular file (or a link to one), or a new file in a folder that
// exists; anything else is refused before the run, which would hang on a FIFO or a
// terminal and write a file called "-" for the usual name of standard output.
Status CheckEditedFile(const fs::path& file, std::string_view option) {
  if (file == "-") {
    return ErrorOf(ErrorKind::kInvalid,
                   std::string(option) +
                       " -: feriant edits files, not standard input or output; name a file "
                       "(./- for one called \"-\")");
  }
  return base::CheckReplaceable(file);
}

// Removes the lock file a killed run left beside the edited file, when no writer holds
// it, as the run ends, whatever it did: a run that saves nothing takes no lock, and
// would leave it there.
class StaleLockRemoval {
 public:
  explicit StaleLockRemoval(fs::path file) : file_(std::move(file)) {
    RemoveStaleLockOnInterrupt(file_.string());
  }
  StaleLockRemoval(const StaleLockRemoval&) = delete;
  StaleLockRemoval& operator=(const StaleLockRemoval&) = delete;
  ~StaleLockRemoval() {
    RemoveStaleLockOnInterrupt({});
    base::RemoveStaleLock(file_);
  }

 private:
  fs::path file_;
};

int ExitStatusOf(const ConsoleDialog& dialog) {
  return dialog.Outcome() == RunOutcome::kFinished ? kExitOk : kExitFailed;
}

// The exit status of a run that has saved what it could (`saved`: the file holds the
// run's work); a finished run without the current law first notes the holidays a later
// change of the law affects. A holiday the run could not enter shows its error and the
// run goes on, so a run that exits 1 may have saved the others: that is said plainly.
int Finish(const engine::HolidayRun& run, const ConsoleDialog& dialog, bool saved,
           const ImportOptions& options, std::ostream& err) {
  const std::string command = CommandName(options);
  if (dialog.Outcome() == RunOutcome::kFinished && !run.CurrentLaw())
    NoteCurrentLaw(run.Selection(), command, err);
  if (const int failed = dialog.FailedHolidays(); saved && failed > 0) {
    err << "feriant " << command << ": saved with errors: " << failed
        << (failed == 1 ? " holiday was" : " holidays were")
        << (options.removal ? " not taken out" : " not set") << '\n';
  }
  return ExitStatusOf(dialog);
}

int RunOutlook(const ImportOptions& options, const fs::path& file, RunSelection selection,
               dialog::clsLangSetter& texts, std::ostream& out, std::ostream& err) {
  outlook::OutlookOptions outlook_options = OutlookOptionsFromEnvironment();
  outlook_options.save_to = options.save_to;
  outlook_options.note = [&err, command = CommandName(options)](const std::string& text) {
    err << "feriant " << command << ": " << text << '\n';
  };
  outlook::ServerOptions server;
  ProgressLine progress(err);
  // An interrupt during a save to a server stops the sending; what was answered before
  // is saved, and the run reports it before the command ends for the interrupt.
  int interrupted_save = 0;
  if (outlook::IsCalendarUrl(file.native())) {
    Result<outlook::ServerSettings> login = ServerLogin(file.native(), options.ca_file);
    if (!login) {
      err << "feriant " << CommandName(options) << ": " << login.error().description << '\n';
      return kExitFailed;
    }
    server.settings = std::move(*login);
    server.proceed = [&interrupted_save] {
      if (interrupted_save == 0 && base::InterruptSignal() != 0) {
        interrupted_save = base::InterruptSignal();
        base::ClearInterrupt();
      }
      return interrupted_save == 0;
    };
    if (options.show_progress) {
      server.progress = [&progress](size_t done, size_t total) {
        progress.SetLabel("Saving to the server: " + std::to_string(done) + " of " +
                          std::to_string(total));
        progress.SetMin(0);
        progress.SetMax(static_cast<std::int32_t>(total));
        progress.SetValue(static_cast<std::int32_t>(done));
      };
    }
  }
  const std::shared_ptr<automation::Dispatch> application =
      outlook::CreateOutlookApplication(file, std::move(outlook_options), std::move(server));
  // A calendar that cannot be kept intact is refused before anything runs.
  if (Status opened = outlook::OpenCalendar(*application); !opened) {
    LeaveIfInterrupted(err);  // the reading stopped for it
    err << "feriant " << CommandName(options) << ": " << opened.error().description << '\n';
    return kExitFailed;
  }
  LeaveIfInterrupted(err);

  engine::OutlookTarget target(application);
  ConsoleDialog dialog(out, err, false);
  if (options.show_progress) dialog.SetProgressDisplay(&progress);
  engine::HolidayRun run(dialog, texts, &target);
  run.SetCurrentLaw(UseCurrentLaw(options.selection.current_law, CommandName(options), err));
  run.ProcessHolidays(selection);
  progress.Clear();

  // The run writes the calendar when it lets go of it. Changes still unwritten now
  // belong to a run that failed, and its error said what was saved: they must not be
  // written later behind the person's back.
  if (outlook::HasUnsavedChanges(*application)) {
    if (interrupted_save == 0) LeaveIfInterrupted(err);
    outlook::AbandonUnsavedChanges(*application);
  }
  if (interrupted_save != 0) return base::InterruptExitStatus(interrupted_save);
  return Finish(run, dialog, dialog.ResultShown(), options, err);
}

// The listed base calendars of the open project, as the dialog lists them; false when
// reading them showed an error.
bool ReadCalendars(project::ProjectApplication& application, dialog::CalendarList& list,
                   std::ostream& out, std::ostream& err) {
  ConsoleDialog loading(out, err, false);
  dialog::ReadCalendarNames(application, list, loading);
  return loading.Outcome() != RunOutcome::kFailed;
}

int RunProject(const ImportOptions& options, const fs::path& file, RunSelection selection,
               dialog::clsLangSetter& texts, std::ostream& out, std::ostream& err) {
  const std::string command = CommandName(options);
  const std::shared_ptr<project::ProjectApplication> application =
      project::ProjectApplication::Create();
  if (Status opened = application->Open(file); !opened) {
    LeaveIfInterrupted(err);
    err << "feriant " << command << ": " << opened.error().description << '\n';
    return kExitFailed;
  }
  LeaveIfInterrupted(err);
  // Project's language is known once the project says which version wrote it. Like an
  // installed Project, the stand-in first records its language (the user's locale) when
  // the registry holds none.
  // Project's language comes from the per-user registry, which reads as empty when its
  // file cannot be read. That is said rather than passed over, once for every setting
  // the run reads; the file is left as it is and the run goes on with the defaults.
  ReportUnreadableRegistry(command,
                           options.selection.current_law
                               ? "Project's user-interface language is taken to be German"
                               : "Project's user-interface language is taken to be German and "
                                 "\"Current Law\" to be off",
                           err);
  // Recording it may meet another program that writes the registry ignoring its lock;
  // the run goes on, but does not end as a success.
  const Status recorded = application->RecordUserInterfaceLanguage();
  const bool registry_conflict = !recorded && recorded.error().kind == ErrorKind::kConflict;
  if (registry_conflict)
    err << "feriant " << command << ": " << recorded.error().description << '\n';
  texts.LanguageID = HostLanguageID(host::GetMSPLanguage(application->Version()));
  if (!options.selection.language) selection.language = PreselectedLanguageItemData(texts);
  AddHostTexts(selection, texts, engine::kHostProject);

  dialog::CalendarList calendars;
  if (!ReadCalendars(*application, calendars, out, err)) return kExitFailed;
  if (!options.base_calendars.empty()) {
    for (const std::string& name : options.base_calendars) {
      bool listed = false;
      for (size_t i = 0; i < calendars.size(); ++i) {
        if (calendars.entries()[i].text == name) listed = true;
      }
      if (!listed) {
        std::string message = "there is no base calendar \"" + name + "\" in " + file.string() +
                              ". The base calendars are:";
        for (const dialog::CalendarListEntry& entry : calendars.entries())
          message += "\n  " + entry.text;
        return UsageError(err, command, message);
      }
    }
    for (size_t i = 0; i < calendars.size(); ++i) {
      const std::string& text = calendars.entries()[i].text;
      calendars.SetSelected(
          i, std::find(options.base_calendars.begin(), options.base_calendars.end(), text) !=
                 options.base_calendars.end());
    }
  }
  selection.calendars = calendars.SelectedTexts();

  engine::ProjectTarget target(application);
  ConsoleDialog dialog(out, err, false);
  ProgressLine progress(err);
  if (options.show_progress) dialog.SetProgressDisplay(&progress);
  // Project keeps the edits until the project is saved: the result is true only then.
  dialog.HoldResult();
  engine::HolidayRun run(dialog, texts, &target);
  run.SetCurrentLaw(UseCurrentLaw(options.selection.current_law));
  run.ProcessHolidays(selection);
  progress.Clear();

  LeaveIfInterrupted(err);
  if (Status saved = application->Save(); !saved) {
    if (saved.error().kind == ErrorKind::kInterrupted) LeaveIfInterrupted(err);
    if (!application->HasUnsavedChanges()) {
      // Saved, but another program's version of the file had to be set aside.
      dialog.PrintMessage(saved.error().description, true);
      return kExitFailed;
    }
    dialog.PrintMessage("The project was not saved: " + saved.error().description, true);
    application->Close();  // nothing may write the edits later
    return kExitFailed;
  }
  dialog.PrintHeldResult();
  const int status = Finish(run, dialog, true, options, err);
  return registry_conflict ? kExitFailed : status;
}

}  // namespace

int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err) {
  const std::string command = CommandName(options);
  data::InitHolidayData();
  if (Status set = SetToday(options.today); !set)
    return UsageError(err, command, set.error().description);
  if (options.calendar && options.project) {
    return UsageError(err, command,
                      "--calendar names a calendar file and --project a project: give one");
  }
  if (options.ca_file && !(options.calendar && outlook::IsCalendarUrl(*options.calendar))) {
    return UsageError(err, command, "--cacert goes with a calendar on a server (--calendar URL)");
  }
  if (!options.base_calendars.empty() && !options.project) {
    return UsageError(err, command, "--base-calendar chooses calendars of the --project file");
  }

  const std::int32_t host_kind = options.project ? engine::kHostProject : engine::kHostOutlook;
  dialog::clsLangSetter& texts = dialog::LangSetter();
  // Outlook's language is the user's; Project's is set once its file is open.
  texts.LanguageID = HostLanguageID(base::UserLcid());

  const std::vector<std::string_view> countries =
      dialog::CountryList(host_kind, base::CurrentClock().Now());
  Result<RunSelection> selection =
      MakeSelection(options.selection, countries,
                    WorldCupNote(options.selection.country, host_kind), host_kind, texts);
  if (!selection) return UsageError(err, command, selection.error().description);
  selection->is_removal = options.removal;

  const bool no_file = options.save_to && !options.project;
  const fs::path file = options.project    ? fs::path(*options.project)
                        : options.calendar ? fs::path(*options.calendar)
                                           : fs::path(kDefaultCalendarFile);
  if (Status usable = no_file || outlook::IsCalendarUrl(file.native())
                          ? Ok()
                          : CheckEditedFile(file, options.project ? "--project" : "--calendar");
      !usable) {
    err << "feriant " << command << ": " << usable.error().description << '\n';
    return kExitFailed;
  }
  WatchForInterrupts();
  std::optional<StaleLockRemoval> stale_lock;
  if (!no_file) stale_lock.emplace(file);
  LeaveIfInterrupted(err);
  // Said after a run that went through; a refused run says why itself.
  const std::string year_note = YearRangeNote(*selection);
  int status = kExitOk;
  if (options.project) {
    status = RunProject(options, file, std::move(*selection), texts, out, err);
  } else {
    AddHostTexts(*selection, texts, engine::kHostOutlook);
    status = RunOutlook(options, file, std::move(*selection), texts, out, err);
  }
  if (status == kExitOk && !year_note.empty())
    err << "feriant " << command << ": " << year_note << '\n';
  return status;
}

// The calendar collections of a server account, as `calendars --caldav` lists them.
int RunServerCalendars(const CalendarsOptions& options, std::ostream& out, std::ostream& err) {
  Result<outlook::ServerSettings> login = ServerLogin(options.caldav, options.ca_file);
  if (!login) {
    err << "feriant calendars: " << login.error().description << '\n';
    return kExitFailed;
  }
  Result<std::vector<outlook::CalendarCollection>> found =
      outlook::FindCalendars(options.caldav, *login);
  if (!found) {
    err << "feriant calendars: " << found.error().description << '\n';
    return kExitFailed;
  }
  if (found->empty()) {
    err << "feriant calendars: the account at " << outlook::UrlWithoutCredentials(options.caldav)
        << " has no calendar that takes events\n";
    return kExitFailed;
  }
  for (const outlook::CalendarCollection& calendar : *found) {
    if (options.json) {
      out << nlohmann::json{{"name", calendar.name}, {"url", calendar.url}}.dump(
                 -1, ' ', false, nlohmann::json::error_handler_t::replace)
          << '\n';
    } else {
      out << calendar.url << "  " << calendar.name << '\n';
    }
  }
  return kExitOk;
}

int RunCalendars(const CalendarsOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.caldav.empty()) return RunServerCalendars(options, out, err);
  const std::shared_ptr<project::ProjectApplication> application =
      project::ProjectApplication::Create();
  if (Status opened = application->Open(options.project); !opened) {
    err << "feriant calendars: " << opened.error().description << '\n';
    return kExitFailed;
  }
  dialog::CalendarList calendars;
  if (!ReadCalendars(*application, calendars, out, err)) return kExitFailed;
  // The dialog selects every calendar it lists.
  for (const dialog::CalendarListEntry& entry : calendars.entries()) {
    if (options.json) {
      out << nlohmann::json{{"name", entry.text}}.dump(-1, ' ', false,
                                                       nlohmann::json::error_handler_t::replace)
          << '\n';
    } else {
      out << entry.text << '\n';
    }
  }
  return kExitOk;
}

}  // namespace feriant::cli
