#pragma once
// ProjectFile: one Project XML (MSPDI) file, read once, edited in memory, written once.
//
// Open reads the whole file, checks that it is well-formed XML whose root element is
// Project in the Project XML namespace, and keeps its exact bytes. Edits change the
// non-working exceptions of base calendars. Save writes the file once, under the writer's
// lock, only if something changed and only if the file on disk is still byte for byte
// what was read; the new file is the old bytes with only the edited parts of the edited
// Calendar elements replaced, formatted like their surroundings (indentation, line
// breaks, namespace prefix). Everything else stays byte for byte.
//
// A calendar's exceptions are stored in one or both of two forms, and an edit is made in
// each form the calendar uses, so the two stay consistent:
//   - the Exceptions element (written by Project 2007 and later): used when the calendar
//     has one or the file is of that age (SaveVersion 12 or later, or an Exceptions
//     element anywhere in the file);
//   - WeekDay elements with DayType 0 inside WeekDays (the older form): used when the
//     calendar has some, when the file is older (no SaveVersion or one below 12), or when
//     any calendar of the file uses that form (its writer writes both).
// Exceptions are written sorted by their first day; a new one covers whole days
// (FromDate T00:00:00, ToDate T23:59:00); a ToDate's date is the last day it covers.
// The exceptions this program adds say so, since only those are taken away again: in the
// Exceptions form by their Name (kOwnExceptionName, which a person sees in a project
// program), in the WeekDays form, which has no names, by the comment kOwnExceptionMark
// or, in a calendar that has both forms, by its twin of the same days in the other form.
// Every other exception is the person's and is never cut (calendar_exceptions.h).
// An exception of the Exceptions form that is not a plain run of days (a recurrence
// other than daily with period 1) is never cut: setting days non-working within it is
// refused.
// Day rules: calendar_exceptions.h.
//
// Version text: SaveVersion n gives "n.0". A file without SaveVersion was written before
// Project 2007 (Project 2002 or 2003; the element is new in 2007) and gives "11.0".
//
// Only UTF-8 files are accepted (what project-planning programs write): byte offsets
// must mean the same in the parsed document and in the file. Single-threaded.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/project/calendar_exceptions.h"
#include "platform/base/result.h"

namespace feriant::project {

// Project's calendar range: days outside it are refused.
inline constexpr std::chrono::year_month_day kFirstCalendarDay{
    std::chrono::year(1984), std::chrono::January, std::chrono::day(1)};
inline constexpr std::chrono::year_month_day kLastCalendarDay{
    std::chrono::year(2049), std::chrono::December, std::chrono::day(31)};

// The name of the exceptions this program adds, and the comment that marks them where an
// exception has no name.
inline constexpr std::string_view kOwnExceptionName = "Feriant holiday";
inline constexpr std::string_view kOwnExceptionMark = "<!-- Feriant holiday -->";

// The namespace of Project XML documents.
inline constexpr std::string_view kProjectXmlNamespace = "http://schemas.microsoft.com/project";

class ProjectFile {
 public:
  // Reads and checks `path`. Errors name the file and the reason; the file is not touched.
  static Result<ProjectFile> Open(const std::filesystem::path& path);
  // Checks `bytes` as the content of `path` without reading it (the path is used in
  // messages and by Save).
  static Result<ProjectFile> FromBytes(const std::filesystem::path& path, std::string bytes);

  ProjectFile(ProjectFile&&) noexcept;
  ProjectFile& operator=(ProjectFile&&) noexcept;
  ~ProjectFile();

  const std::filesystem::path& path() const;
  // "major.minor", from SaveVersion (see above).
  std::string VersionText() const;
  std::optional<int> SaveVersion() const;
  // The Title element, empty when absent.
  std::string Title() const;
  // The DefaultTaskType element, 0 when absent or not a number.
  std::int32_t DefaultTaskType() const;
  // Names of the calendars with IsBaseCalendar 1, in file order.
  std::vector<std::string> BaseCalendarNames() const;

  // The non-working days of the named base calendar (exact name), edits included, in the
  // order they are stored: of the Exceptions form when the calendar uses it, else of its
  // WeekDays. Empty for an unknown name.
  std::vector<DaySpan> NonWorkingDays(std::string_view calendar) const;

  // Sets the days from `first` to `last` of the named base calendar non-working, or back
  // to its default working time as far as this program's own exceptions made them
  // non-working. Names match exactly, else ignoring ASCII case. Refused, with nothing
  // changed, for an unknown name, a day outside Project's calendar range, `first` after
  // `last`, or days set non-working within a recurring exception.
  Status EditDays(std::string_view calendar, std::chrono::year_month_day first,
                  std::chrono::year_month_day last, DayEdit edit);

  // The Organizer's operations on base calendars. Each writes the file at once, with the
  // edits not saved yet, under the same rules as Save; refused, with nothing changed, when
  // the calendar is missing, the new name is empty or names another calendar (ignoring
  // ASCII case), or, for a deletion, the calendar is the project's calendar or a resource,
  // task or other calendar is based on it.
  // A copy is the calendar's element with a new UID (one above the highest) and the new
  // name, without its GUID, placed after the last calendar.
  Status CopyBaseCalendar(std::string_view from, std::string_view to);
  Status RenameBaseCalendar(std::string_view from, std::string_view to);
  Status DeleteBaseCalendar(std::string_view name);

  bool HasUnsavedChanges() const;
  // The file's bytes with every edit so far spliced in.
  std::string Render() const;
  // Writes the edits (see above); nothing is written when the rendered bytes equal what
  // was read. After success the written bytes are the new baseline. When another program
  // wrote to the file while it was being replaced, the edits are saved (and the new
  // baseline) and that program's version kept beside it: an Error of kind kConflict
  // naming where (base::DisplacedMessage), with no unsaved changes left.
  Status Save();

 private:
  struct State;
  explicit ProjectFile(std::unique_ptr<State> state);
  static Result<std::unique_ptr<State>> Parse(const std::filesystem::path& path, std::string bytes);
  // Replaces the file's content as read by `next` (checked by reading it back first) and
  // takes `next` as the new baseline.
  Status Replace(std::string next);
  // Writes Render() changed by `change`, which gets the document's text and its parse.
  struct Organized;
  Status Organize(std::string_view name,
                  const std::function<Result<std::string>(Organized&)>& change);
  std::unique_ptr<State> state_;
};

}  // namespace feriant::project
