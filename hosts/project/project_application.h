#pragma once
// ProjectApplication: the Microsoft Project application object of the stand-in, reached
// late-bound by the dispatch ids of dispatch_ids.h, over at most one open Project XML
// file (project_file.h). Programs drive it from C++: Open a file, hand the object to the
// add-in, Save once at the end of the run.
//
// Object tree: Application → Projects (the open projects, 0 or 1) and ActiveProject →
// Project → BaseCalendars → Calendar. The application owns the open file; project and
// calendar objects share it and keep working on the file they were taken from after the
// application closes it. Edits stay in memory until Save. One thread: the user-interface
// thread.
//
// Hooks for what a graphical host brings later:
//   - Organizer (126): SetOrganizer; without a handler the call returns at once.
//   - CommandBars (5041): SetCommandBars; without a provider the call fails, saying the
//     command bars are not available.
// With no file open the version is "14.0" (Project 2010).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "hosts/project/project_file.h"
#include "platform/automation/dispatch.h"
#include "platform/base/result.h"

namespace feriant::project {

inline constexpr std::string_view kVersionWithoutProject = "14.0";

class ProjectApplication : public automation::DispatchObject<ProjectApplication> {
 public:
  // Shows Project's Organizer; the argument is the tab to show (the add-in passes 5).
  using OrganizerHandler = std::function<Status(std::int32_t)>;
  using CommandBarsProvider = std::function<Result<automation::ObjectRef>()>;

  static std::shared_ptr<ProjectApplication> Create();

  // Opens `path` as the one open project. Refused, with the open project kept, when the
  // open project has unsaved edits or the file cannot be used (the error says why).
  Status Open(const std::filesystem::path& path);
  // Writes the open project's edits; nothing happens without edits or without a project.
  Status Save();
  // Closes the open project, discarding unsaved edits.
  void Close();
  bool HasOpenProject() const { return file_ != nullptr; }
  bool HasUnsavedChanges() const { return file_ != nullptr && file_->HasUnsavedChanges(); }
  // "major.minor": the one set with SetVersion, else the open file's (project_file.h),
  // else kVersionWithoutProject.
  std::string Version() const;
  // Makes the application answer `version` (a program playing a given Project release);
  // empty: the open file's again.
  void SetVersion(std::string version) { version_ = std::move(version); }
  // The open project's file; nullptr when none is open.
  ProjectFile* file() const { return file_.get(); }

  // What an installed Project does for itself: records its user-interface language, the
  // user's locale as a Windows locale identifier (number), as "CurrentUI" under
  // "Software\Microsoft\Office\<Version()>\MS Project" in the current user's registry,
  // when that value is missing; a present value, whatever it holds, stays. Programs that
  // play Project call it once the version is known (after Open), before the add-in reads
  // the language. An error when the registry cannot be read or written (then nothing is
  // written).
  Status RecordUserInterfaceLanguage() const;

  void SetOrganizer(OrganizerHandler handler) { organizer_ = std::move(handler); }
  void SetCommandBars(CommandBarsProvider provider) { command_bars_ = std::move(provider); }

  // Arguments by name (Name, StartDate, EndDate, Working, Default; names ignore case) or
  // by position in that order. Exactly one of Working = False and Default = True.
  Result<automation::Variant> BaseCalendarEditDays(std::span<automation::Variant> args,
                                                   std::span<const automation::NamedArg> named);

  std::string TypeName() const override { return "Application"; }
  static const automation::Members<ProjectApplication>& Interface();

 private:
  ProjectApplication() = default;

  Result<automation::Variant> ActiveProject() const;
  Result<automation::Variant> Organizer(std::span<automation::Variant> args,
                                        std::span<const automation::NamedArg> named);

  std::shared_ptr<ProjectFile> file_;
  automation::ObjectRef active_project_;
  OrganizerHandler organizer_;
  CommandBarsProvider command_bars_;
  std::string version_;
};

}  // namespace feriant::project
