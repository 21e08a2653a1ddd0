#include "hosts/project/project_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>

#include <pugixml.hpp>

#include "hosts/project/xml_text.h"
#include "platform/base/file.h"
#include "platform/base/text.h"

namespace feriant::project {
namespace {

namespace fs = std::filesystem;
using std::chrono::days;
using std::chrono::year_month_day;

constexpr int kFirstVersionWithExceptions = 12;  // Project 2007
constexpr std::string_view kVersionWithoutSaveVersion = "11.0";
// Where exceptions whose dates cannot be read sort: before any day a calendar can hold.
constexpr Day kUnreadableDay = std::chrono::sys_days(
    year_month_day{std::chrono::year(1), std::chrono::January, std::chrono::day(1)});

// One stored exception element (Exception, or WeekDay with DayType 0) as read.
struct Stored {
  xml_text::ElementBounds bounds;
  DaySpan days{kUnreadableDay, kUnreadableDay};
  bool readable = false;  // both dates found and in order
  size_t from_at = 0;     // the 10 date digits of FromDate ("YYYY-MM-DD")
  size_t to_at = 0;       // the 10 date digits of ToDate
  xml_text::ValueSpan occurrences{0, 0};
  bool has_occurrences = false;
  bool plain = true;  // a run of days, not a recurrence pattern
  bool working = false;
  bool marked = false;  // named or marked as this program's own
  std::string name;     // the exception's Name, for messages
};

enum class FormKind { kExceptions, kWeekDays };

// One of the two stored forms of a calendar's exceptions.
struct Form {
  explicit Form(FormKind form_kind) : kind(form_kind) {}
  FormKind kind;
  bool used = false;
  bool has_container = false;
  xml_text::ElementBounds container;  // the Exceptions or WeekDays element
  size_t anchor = 0;                  // a missing container is inserted here
  size_t append_at = 0;               // in a container without exceptions, new ones go here
  std::vector<Stored> stored;
  std::vector<CalendarException> exceptions;  // the current state
};

struct Calendar {
  std::string name;
  bool base = false;
  xml_text::ElementBounds bounds;
  Form exceptions{FormKind::kExceptions};
  Form week_days{FormKind::kWeekDays};
  bool edited = false;
  // Formatting of new text: line break ("" when the calendar is on one line), the
  // Calendar element's own indentation and one level of indentation.
  std::string newline;
  std::string indent;
  std::string unit;

  std::string Indent(int depth) const {
    std::string text = indent;
    for (int i = 0; i < depth; ++i)
      text += unit;
    return text;
  }
};

std::string_view LocalName(const pugi::xml_node& node) {
  std::string_view name = node.name();
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local_name) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == local_name) return child;
  }
  return {};
}

std::string_view Trimmed(std::string_view text) {
  return base::Trim(text, base::kWhitespace);
}

std::string_view ValueOf(const pugi::xml_node& parent, std::string_view local_name) {
  return Trimmed(Child(parent, local_name).child_value());
}

// An xsd:int as the plans write it, already trimmed by ValueOf: an optional minus, digits.
std::optional<int> ParseInt(std::string_view text) {
  const std::optional<std::int64_t> value =
      base::ParseWholeNumber(text, {.plus_sign = false,
                                    .min = std::numeric_limits<int>::min(),
                                    .max = std::numeric_limits<int>::max()});
  if (!value) return std::nullopt;
  return static_cast<int>(*value);
}

bool ParseBool(std::string_view text) {
  return text == "1" || text == "true";
}

// The day of a dateTime value "YYYY-MM-DD[THH:MM:SS]".
std::optional<Day> ParseDay(std::string_view text) {
  if (text.size() > 10 && text[10] != 'T') return std::nullopt;
  const std::optional<year_month_day> day = base::ParseIsoDay(text.substr(0, 10));
  if (!day) return std::nullopt;
  return Day(*day);
}

std::string FormatDay(Day day) {
  return base::FormatIsoDay(year_month_day(day));
}

Error FormatError(const fs::path& path, const std::string& reason,
                  ErrorKind kind = ErrorKind::kDamaged) {
  return ErrorOf(kind, "cannot open " + path.string() + ": " + reason);
}

// Reads the state of a document from its bytes; `buffer` is the parser's copy.
class Reader {
 public:
  Reader(std::string_view bytes, const char* buffer) : bytes_(bytes), buffer_(buffer) {}

  // Offset of the '<' that starts `node` in the file.
  size_t OffsetOf(const pugi::xml_node& node) const {
    return static_cast<size_t>(node.name() - buffer_) - 1;
  }

  xml_text::ElementBounds Bounds(const pugi::xml_node& node) const {
    return xml_text::ScanElement(bytes_, OffsetOf(node));
  }

  // Where the 10 date digits of `element`'s value begin; nullopt unless they hold `day`.
  std::optional<size_t> DateDigits(const pugi::xml_node& element, Day day) const {
    if (!element) return std::nullopt;
    const xml_text::ValueSpan raw = xml_text::SimpleContent(bytes_, Bounds(element));
    const std::string_view text = Trimmed(bytes_.substr(raw.begin, raw.end - raw.begin));
    if (ParseDay(text) != day) return std::nullopt;
    return static_cast<size_t>(text.data() - bytes_.data());
  }

  Stored ReadException(const pugi::xml_node& node, FormKind kind) const {
    Stored stored;
    stored.bounds = Bounds(node);
    stored.working = ParseBool(ValueOf(node, "DayWorking"));
    stored.name = std::string(ValueOf(node, "Name"));
    stored.marked =
        kind == FormKind::kExceptions
            ? stored.name == kOwnExceptionName
            : bytes_.substr(stored.bounds.begin, stored.bounds.end - stored.bounds.begin)
                      .find(kOwnExceptionMark) != std::string_view::npos;
    const pugi::xml_node period = Child(node, "TimePeriod");
    const pugi::xml_node from = Child(period, "FromDate");
    const pugi::xml_node to = Child(period, "ToDate");
    const auto first = ParseDay(Trimmed(from.child_value()));
    const auto last = ParseDay(Trimmed(to.child_value()));
    if (first && last && *first <= *last) {
      const auto from_at = DateDigits(from, *first);
      const auto to_at = DateDigits(to, *last);
      if (from_at && to_at) {
        stored.readable = true;
        stored.days = DaySpan{*first, *last};
        stored.from_at = *from_at - stored.bounds.begin;
        stored.to_at = *to_at - stored.bounds.begin;
      }
    }
    if (kind == FormKind::kExceptions) {
      // Type 1 is daily; with period 1 it is every day of its span. Absent means daily.
      const std::string_view type = ValueOf(node, "Type");
      const std::string_view every = ValueOf(node, "Period");
      stored.plain = (type.empty() || type == "1") && (every.empty() || every == "1");
      if (const pugi::xml_node occurrences = Child(node, "Occurrences")) {
        const xml_text::ValueSpan span = xml_text::SimpleContent(bytes_, Bounds(occurrences));
        stored.has_occurrences = true;
        stored.occurrences = {span.begin - stored.bounds.begin, span.end - stored.bounds.begin};
      }
    }
    return stored;
  }

  // End of the last child element of `container`, or its content start without one.
  size_t AfterLastChild(const pugi::xml_node& container) const {
    size_t at = Bounds(container).content_begin;
    for (pugi::xml_node child : container.children()) {
      if (child.type() == pugi::node_element) at = Bounds(child).end;
    }
    return at;
  }

  // End of the last child of `calendar` named one of `names`; else its content start.
  size_t AfterLastOf(const pugi::xml_node& calendar,
                     std::initializer_list<std::string_view> names) const {
    size_t at = Bounds(calendar).content_begin;
    for (pugi::xml_node child : calendar.children()) {
      if (child.type() != pugi::node_element) continue;
      if (std::find(names.begin(), names.end(), LocalName(child)) != names.end()) {
        at = Bounds(child).end;
      }
    }
    return at;
  }

  Calendar ReadCalendar(const pugi::xml_node& node) const {
    Calendar calendar;
    calendar.name = Child(node, "Name").child_value();
    calendar.base = ParseBool(ValueOf(node, "IsBaseCalendar"));
    calendar.bounds = Bounds(node);

    calendar.week_days.anchor = AfterLastOf(
        node, {"UID", "GUID", "Name", "IsBaseCalendar", "IsBaselineCalendar", "BaseCalendarUID"});
    if (const pugi::xml_node week_days = Child(node, "WeekDays")) {
      calendar.week_days.has_container = true;
      calendar.week_days.container = Bounds(week_days);
      calendar.week_days.append_at = AfterLastChild(week_days);
      for (pugi::xml_node day : week_days.children()) {
        if (day.type() != pugi::node_element || LocalName(day) != "WeekDay") continue;
        if (ValueOf(day, "DayType") != "0") continue;
        calendar.week_days.stored.push_back(ReadException(day, FormKind::kWeekDays));
      }
    }
    calendar.exceptions.anchor =
        AfterLastOf(node, {"UID", "GUID", "Name", "IsBaseCalendar", "IsBaselineCalendar",
                           "BaseCalendarUID", "WeekDays"});
    if (const pugi::xml_node exceptions = Child(node, "Exceptions")) {
      calendar.exceptions.has_container = true;
      calendar.exceptions.container = Bounds(exceptions);
      calendar.exceptions.append_at = AfterLastChild(exceptions);
      for (pugi::xml_node exception : exceptions.children()) {
        if (exception.type() != pugi::node_element || LocalName(exception) != "Exception") continue;
        calendar.exceptions.stored.push_back(ReadException(exception, FormKind::kExceptions));
      }
    }
    for (Form* form : {&calendar.exceptions, &calendar.week_days}) {
      for (size_t i = 0; i < form->stored.size(); ++i) {
        const Stored& s = form->stored[i];
        form->exceptions.push_back(CalendarException{s.days, s.working, !(s.readable && s.plain),
                                                     static_cast<int>(i), s.marked});
      }
    }
    // A project program that writes both forms keeps the names but not the comments: a
    // WeekDays exception is the program's own when its twin of the Exceptions form is.
    for (CalendarException& e : calendar.week_days.exceptions) {
      for (const CalendarException& twin : calendar.exceptions.exceptions) {
        if (twin.own && twin.days == e.days && twin.working == e.working) e.own = true;
      }
    }

    const std::string_view text =
        bytes_.substr(calendar.bounds.begin, calendar.bounds.end - calendar.bounds.begin);
    if (const size_t lf = text.find('\n'); lf != std::string_view::npos) {
      calendar.newline = lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
      calendar.indent = std::string(xml_text::IndentOf(bytes_, calendar.bounds.begin));
      calendar.unit = "\t";
      for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view child_indent = xml_text::IndentOf(bytes_, OffsetOf(child));
        if (child_indent.size() > calendar.indent.size() &&
            child_indent.starts_with(calendar.indent)) {
          calendar.unit = std::string(child_indent.substr(calendar.indent.size()));
        }
        break;
      }
    }
    return calendar;
  }

 private:
  std::string_view bytes_;
  const char* buffer_;
};

const char* EncodingName(pugi::xml_encoding encoding) {
  switch (encoding) {
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be:
    case pugi::encoding_utf16:
      return "UTF-16";
    case pugi::encoding_utf32_le:
    case pugi::encoding_utf32_be:
    case pugi::encoding_utf32:
      return "UTF-32";
    case pugi::encoding_latin1:
      return "ISO-8859-1";
    default:
      return "not UTF-8";
  }
}

}  // namespace

struct ProjectFile::State {
  fs::path path;       // as given; Save replaces the file a link names
  std::string bytes;   // exactly as read
  std::string prefix;  // namespace prefix of the document's elements with its ':', or ""
  std::optional<int> save_version;
  std::string title;
  std::int32_t default_task_type = 0;
  std::vector<Calendar> calendars;

  std::string OpenTag(std::string_view local_name) const {
    return "<" + prefix + std::string(local_name) + ">";
  }
  std::string CloseTag(std::string_view local_name) const {
    return "</" + prefix + std::string(local_name) + ">";
  }
  std::string Element(std::string_view local_name, std::string_view value) const {
    return OpenTag(local_name) + std::string(value) + CloseTag(local_name);
  }

  std::string RenderException(const Calendar& calendar, const Form& form,
                              const CalendarException& e) const;
  std::string RenderForm(const Calendar& calendar, const Form& form, size_t& begin,
                         size_t& end) const;
};

Result<std::unique_ptr<ProjectFile::State>> ProjectFile::Parse(const fs::path& path,
                                                               std::string bytes) {
  std::vector<char> buffer(bytes.begin(), bytes.end());
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer_inplace(
      buffer.data(), buffer.size(), pugi::parse_default, pugi::encoding_auto);
  if (parsed.encoding != pugi::encoding_utf8) {
    return FormatError(path,
                       std::string("the file is encoded in ") + EncodingName(parsed.encoding) +
                           "; only UTF-8 Project XML files can be edited",
                       ErrorKind::kUnsupported);
  }
  if (!parsed) {
    return FormatError(path, std::string("not well-formed XML (") + parsed.description() +
                                 " at byte " + std::to_string(parsed.offset) +
                                 "); the file may be truncated or damaged");
  }
  int elements = 0;
  for (pugi::xml_node top : document.children()) {
    if (top.type() == pugi::node_element) ++elements;
    if (top.type() == pugi::node_pcdata && !Trimmed(top.value()).empty()) elements += 2;
  }
  if (elements != 1) {
    return FormatError(path, "not well-formed XML (content after the root element)");
  }

  const pugi::xml_node root = document.document_element();
  const std::string_view root_name = root.name();
  if (LocalName(root) != "Project") {
    return FormatError(path, "not a Project XML file (its root element is <" +
                                 std::string(root_name) + ">, not <Project>)");
  }
  auto state = std::make_unique<ProjectFile::State>();
  state->prefix = std::string(root_name.substr(0, root_name.size() - LocalName(root).size()));
  const std::string xmlns = state->prefix.empty()
                                ? "xmlns"
                                : "xmlns:" + state->prefix.substr(0, state->prefix.size() - 1);
  if (std::string_view(root.attribute(xmlns.c_str()).value()) != kProjectXmlNamespace) {
    return FormatError(path,
                       "not a Project XML file (its root element <Project> is not in the "
                       "namespace " +
                           std::string(kProjectXmlNamespace) + ")");
  }

  state->path = path;
  state->save_version = ParseInt(ValueOf(root, "SaveVersion"));
  state->title = Child(root, "Title").child_value();
  state->default_task_type = ParseInt(ValueOf(root, "DefaultTaskType")).value_or(0);

  const Reader reader(bytes, buffer.data());
  bool any_exceptions_element = false;
  bool any_week_day_exception = false;
  for (pugi::xml_node node : Child(root, "Calendars").children()) {
    if (node.type() != pugi::node_element || LocalName(node) != "Calendar") continue;
    state->calendars.push_back(reader.ReadCalendar(node));
    any_exceptions_element |= state->calendars.back().exceptions.has_container;
    any_week_day_exception |= !state->calendars.back().week_days.stored.empty();
  }
  const bool current =
      any_exceptions_element || state->save_version.value_or(0) >= kFirstVersionWithExceptions;
  for (Calendar& calendar : state->calendars) {
    calendar.exceptions.used = calendar.exceptions.has_container || current;
    calendar.week_days.used =
        !calendar.week_days.stored.empty() || !current || any_week_day_exception;
  }
  state->bytes = std::move(bytes);
  return state;
}

std::string ProjectFile::State::RenderException(const Calendar& calendar, const Form& form,
                                                const CalendarException& e) const {
  if (e.source >= 0) {
    const Stored& stored = form.stored[static_cast<size_t>(e.source)];
    std::string text = bytes.substr(stored.bounds.begin, stored.bounds.end - stored.bounds.begin);
    if (e.days == stored.days) return text;
    // A trimmed or split piece: new dates (and day count), everything else as written.
    struct Change {
      size_t at;
      size_t length;
      std::string value;
    };
    std::vector<Change> changes{{stored.from_at, 10, FormatDay(e.days.first)},
                                {stored.to_at, 10, FormatDay(e.days.last)}};
    if (stored.has_occurrences) {
      const auto count = (e.days.last - e.days.first).count() + 1;
      changes.push_back({stored.occurrences.begin,
                         stored.occurrences.end - stored.occurrences.begin, std::to_string(count)});
    }
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.at > b.at; });
    for (const Change& change : changes)
      text.replace(change.at, change.length, change.value);
    return text;
  }

  const std::string& nl = calendar.newline;
  auto line = [&](int depth, const std::string& element) {
    return nl + calendar.Indent(depth) + element;
  };
  const std::string from = FormatDay(e.days.first) + "T00:00:00";
  const std::string to = FormatDay(e.days.last) + "T23:59:00";
  const std::string working = e.working ? "1" : "0";
  if (form.kind == FormKind::kWeekDays) {
    return OpenTag("WeekDay") + line(3, std::string(kOwnExceptionMark)) +
           line(3, Element("DayType", "0")) + line(3, Element("DayWorking", working)) +
           line(3, OpenTag("TimePeriod")) + line(4, Element("FromDate", from)) +
           line(4, Element("ToDate", to)) + line(3, CloseTag("TimePeriod")) +
           line(2, CloseTag("WeekDay"));
  }
  const auto count = (e.days.last - e.days.first).count() + 1;
  return OpenTag("Exception") + line(3, Element("EnteredByOccurrences", "0")) +
         line(3, OpenTag("TimePeriod")) + line(4, Element("FromDate", from)) +
         line(4, Element("ToDate", to)) + line(3, CloseTag("TimePeriod")) +
         line(3, Element("Occurrences", std::to_string(count))) +
         line(3, Element("Name", kOwnExceptionName)) + line(3, Element("Type", "1")) +
         line(3, Element("DayWorking", working)) + line(2, CloseTag("Exception"));
}

// The new text of one form of an edited calendar and the byte range [begin, end) of the
// file it replaces (begin == end: an insertion).
std::string ProjectFile::State::RenderForm(const Calendar& calendar, const Form& form,
                                           size_t& begin, size_t& end) const {
  const std::string_view container = form.kind == FormKind::kExceptions ? "Exceptions" : "WeekDays";
  std::string entries;
  for (const CalendarException& e : form.exceptions) {
    entries += calendar.newline + calendar.Indent(2) + RenderException(calendar, form, e);
  }
  const std::string closing = calendar.newline + calendar.Indent(1) + CloseTag(container);

  if (!form.has_container) {
    begin = end = form.anchor;
    if (form.exceptions.empty()) return {};
    return calendar.newline + calendar.Indent(1) + OpenTag(container) + entries + closing;
  }
  if (form.kind == FormKind::kExceptions && form.exceptions.empty()) {
    // No exception left: the empty Exceptions element goes with its line.
    begin = xml_text::BlanksBefore(bytes, form.container.begin);
    end = form.container.end;
    return {};
  }
  if (form.container.self_closing) {
    begin = form.container.begin;
    end = form.container.end;
    return OpenTag(container) + entries + closing;
  }

  // Keep the container's other content as written; the stored exceptions leave with the
  // blanks before them and the new list goes where the first of them was.
  begin = form.container.content_begin;
  end = form.container.content_end;
  const size_t insert_at = form.stored.empty()
                               ? form.append_at
                               : xml_text::BlanksBefore(bytes, form.stored.front().bounds.begin);
  std::string content;
  size_t pos = begin;
  bool inserted = false;
  auto insert_here = [&] {
    content.append(bytes, pos, insert_at - pos);
    content += entries;
    pos = insert_at;
    inserted = true;
  };
  for (const Stored& stored : form.stored) {
    const size_t cut = xml_text::BlanksBefore(bytes, stored.bounds.begin);
    if (!inserted && insert_at <= cut) insert_here();
    content.append(bytes, pos, cut - pos);
    pos = stored.bounds.end;
  }
  if (!inserted) insert_here();
  content.append(bytes, pos, end - pos);
  return content;
}

ProjectFile::ProjectFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
ProjectFile::ProjectFile(ProjectFile&&) noexcept = default;
ProjectFile& ProjectFile::operator=(ProjectFile&&) noexcept = default;
ProjectFile::~ProjectFile() = default;

Result<ProjectFile> ProjectFile::Open(const fs::path& path) {
  auto bytes = base::ReadFile(path);
  if (!bytes) return bytes.error();
  return FromBytes(path, std::move(*bytes));
}

Result<ProjectFile> ProjectFile::FromBytes(const fs::path& path, std::string bytes) {
  auto state = Parse(path, std::move(bytes));
  if (!state) return state.error();
  return ProjectFile(std::move(*state));
}

const fs::path& ProjectFile::path() const {
  return state_->path;
}

std::string ProjectFile::VersionText() const {
  if (!state_->save_version || *state_->save_version <= 0) {
    return std::string(kVersionWithoutSaveVersion);
  }
  return std::to_string(*state_->save_version) + ".0";
}

std::optional<int> ProjectFile::SaveVersion() const {
  return state_->save_version;
}

std::string ProjectFile::Title() const {
  return state_->title;
}

std::int32_t ProjectFile::DefaultTaskType() const {
  return state_->default_task_type;
}

std::vector<std::string> ProjectFile::BaseCalendarNames() const {
  std::vector<std::string> names;
  for (const Calendar& calendar : state_->calendars) {
    if (calendar.base) names.push_back(calendar.name);
  }
  return names;
}

std::vector<DaySpan> ProjectFile::NonWorkingDays(std::string_view calendar_name) const {
  std::vector<DaySpan> days;
  for (const Calendar& calendar : state_->calendars) {
    if (!calendar.base || calendar.name != calendar_name) continue;
    const Form& form = calendar.exceptions.used ? calendar.exceptions : calendar.week_days;
    for (const CalendarException& e : form.exceptions) {
      if (!e.working) days.push_back(e.days);
    }
    break;
  }
  return days;
}

Status ProjectFile::EditDays(std::string_view calendar_name, year_month_day first,
                             year_month_day last, DayEdit edit) {
  for (const year_month_day& day : {first, last}) {
    if (!day.ok()) return ErrorOf(ErrorKind::kInvalid, "a date of the edit is not a valid date");
    if (day < kFirstCalendarDay || day > kLastCalendarDay) {
      return ErrorOf(ErrorKind::kInvalid, "the date " + FormatDay(Day(day)) +
                                              " is outside the calendar range of Project (" +
                                              FormatDay(Day(kFirstCalendarDay)) + " to " +
                                              FormatDay(Day(kLastCalendarDay)) + ")");
    }
  }
  if (first > last) {
    return ErrorOf(ErrorKind::kInvalid, "the start date " + FormatDay(Day(first)) +
                                            " is after the end date " + FormatDay(Day(last)));
  }

  Calendar* target = nullptr;
  for (Calendar& calendar : state_->calendars) {
    if (calendar.base && calendar.name == calendar_name) {
      target = &calendar;
      break;
    }
  }
  if (target == nullptr) {
    for (Calendar& calendar : state_->calendars) {
      if (calendar.base && base::EqualsIgnoringAsciiCase(calendar.name, calendar_name)) {
        target = &calendar;
        break;
      }
    }
  }
  if (target == nullptr) {
    return ErrorOf(ErrorKind::kNotFound, "there is no base calendar named \"" +
                                             std::string(calendar_name) + "\" in " +
                                             state_->path.string());
  }

  const DaySpan span{Day(first), Day(last)};
  // A non-working day would have to cut a recurring exception; a reset leaves it alone, as
  // it does every exception that is not the program's own.
  for (const Form* form : {&target->exceptions, &target->week_days}) {
    if (!form->used || edit != DayEdit::kNonWorking) continue;
    for (const CalendarException& e : form->exceptions) {
      if (!e.recurring || !Overlaps(e.days, span)) continue;
      const Stored& stored = form->stored[static_cast<size_t>(e.source)];
      return ErrorOf(ErrorKind::kUnsupported,
                     "the days " + FormatDay(span.first) + " to " + FormatDay(span.last) +
                         " of base calendar \"" + target->name +
                         "\" lie within its recurring "
                         "exception" +
                         (stored.name.empty() ? "" : " \"" + stored.name + "\"") + " (" +
                         FormatDay(e.days.first) + " to " + FormatDay(e.days.last) +
                         "), which is not changed here; edit it in a project-planning program");
    }
  }
  for (Form* form : {&target->exceptions, &target->week_days}) {
    if (form->used && ApplyDayEdit(form->exceptions, span, edit)) target->edited = true;
  }
  return Ok();
}

bool ProjectFile::HasUnsavedChanges() const {
  return std::any_of(state_->calendars.begin(), state_->calendars.end(),
                     [](const Calendar& calendar) { return calendar.edited; });
}

std::string ProjectFile::Render() const {
  struct Splice {
    size_t begin;
    size_t end;
    std::string text;
  };
  std::vector<Splice> splices;
  for (const Calendar& calendar : state_->calendars) {
    if (!calendar.edited) continue;
    for (const Form* form : {&calendar.week_days, &calendar.exceptions}) {
      if (!form->used) continue;
      Splice splice{0, 0, {}};
      splice.text = state_->RenderForm(calendar, *form, splice.begin, splice.end);
      if (splice.begin != splice.end || !splice.text.empty()) splices.push_back(std::move(splice));
    }
  }
  // Stable: a calendar without WeekDays gets both containers at one place, in this order.
  std::stable_sort(splices.begin(), splices.end(),
                   [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
  const std::string& bytes = state_->bytes;
  std::string result;
  result.reserve(bytes.size() + 1024);
  size_t pos = 0;
  for (const Splice& splice : splices) {
    result.append(bytes, pos, splice.begin - pos);
    result += splice.text;
    pos = splice.end;
  }
  result.append(bytes, pos, std::string::npos);
  return result;
}

Status ProjectFile::Save() {
  std::string next = Render();
  if (next == state_->bytes) {
    for (Calendar& calendar : state_->calendars)
      calendar.edited = false;
    return Ok();
  }
  return Replace(std::move(next));
}

Status ProjectFile::Replace(std::string next) {
  const fs::path& path = state_->path;
  // What is written must read back; a failure here is a fault of this store, and the
  // person's file is left alone.
  auto reread = Parse(path, next);
  if (!reread) {
    return ErrorOf(ErrorKind::kDamaged,
                   "the edited content of " + path.string() + " could not be read back (" +
                       reread.error().description + "); the file was not changed");
  }

  const Result<base::Replaced> saved = base::ReplaceIfUnchanged(path, state_->bytes, next);
  if (!saved) {
    const Error& cause = saved.error();
    if (cause.kind == ErrorKind::kConflict) {
      return ErrorOf(ErrorKind::kConflict,
                     path.string() +
                         " was changed by another program after it was opened; it "
                         "was not overwritten (open it again to edit the new content)");
    }
    if (cause.kind == ErrorKind::kRefused && cause.code == EACCES) {
      return ErrorOf(ErrorKind::kRefused, path.string() + " is read-only; it was not changed",
                     EACCES);
    }
    return cause;
  }
  state_ = std::move(*reread);
  // Saved, yet someone's edit is not in the file: that must not pass for success.
  if (saved->displaced) return base::StatusOf(path, saved);
  return Ok();
}

// The document being organized: its text (Render()), the parse of it, and the calendar
// the operation names.
struct ProjectFile::Organized {
  std::string text;
  const Reader* reader = nullptr;
  pugi::xml_node calendars;  // the Calendars element
  pugi::xml_node calendar;   // the named base calendar
  std::string prefix;
};

namespace {

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// Refuses an empty name and one that another calendar of the document already has.
Status CheckNewName(const pugi::xml_node& calendars, std::string_view name) {
  if (Trimmed(name).empty()) return ErrorOf(ErrorKind::kInvalid, "a calendar needs a name");
  for (pugi::xml_node node : calendars.children()) {
    if (node.type() != pugi::node_element || LocalName(node) != "Calendar") continue;
    if (base::EqualsIgnoringAsciiCase(Child(node, "Name").child_value(), name)) {
      return ErrorOf(ErrorKind::kInvalid,
                     "there is already a calendar named \"" + std::string(name) + "\"");
    }
  }
  return Ok();
}

// The text with the simple content of `element` (a child of `node`) replaced by `value`.
std::string WithValue(std::string text, const Reader& reader, const pugi::xml_node& element,
                      std::string_view value) {
  const xml_text::ValueSpan span = xml_text::SimpleContent(text, reader.Bounds(element));
  return text.replace(span.begin, span.end - span.begin, value);
}

}  // namespace

Status ProjectFile::Organize(std::string_view name,
                             const std::function<Result<std::string>(Organized&)>& change) {
  Organized organized;
  organized.text = Render();
  std::vector<char> buffer(organized.text.begin(), organized.text.end());
  pugi::xml_document document;
  if (!document.load_buffer_inplace(buffer.data(), buffer.size(), pugi::parse_default,
                                    pugi::encoding_utf8)) {
    return ErrorOf(ErrorKind::kDamaged, state_->path.string() + " could not be read again");
  }
  const Reader reader(organized.text, buffer.data());
  organized.reader = &reader;
  organized.prefix = state_->prefix;
  organized.calendars = Child(document.document_element(), "Calendars");
  for (pugi::xml_node node : organized.calendars.children()) {
    if (node.type() != pugi::node_element || LocalName(node) != "Calendar") continue;
    if (ParseBool(ValueOf(node, "IsBaseCalendar")) && Child(node, "Name").child_value() == name) {
      organized.calendar = node;
      break;
    }
  }
  if (!organized.calendar) {
    return ErrorOf(ErrorKind::kNotFound, "there is no base calendar named \"" + std::string(name) +
                                             "\" in " + state_->path.string());
  }
  Result<std::string> next = change(organized);
  if (!next) return next.error();
  return Replace(std::move(*next));
}

Status ProjectFile::CopyBaseCalendar(std::string_view from, std::string_view to) {
  return Organize(from, [to](Organized& o) -> Result<std::string> {
    if (Status fresh = CheckNewName(o.calendars, to); !fresh) return fresh.error();
    int highest = 0;
    for (pugi::xml_node node : o.calendars.children()) {
      if (node.type() == pugi::node_element && LocalName(node) == "Calendar")
        highest = std::max(highest, ParseInt(ValueOf(node, "UID")).value_or(0));
    }
    const xml_text::ElementBounds bounds = o.reader->Bounds(o.calendar);
    // Edits inside the copy, from the back so that earlier offsets stay right.
    struct Cut {
      size_t begin, end;
      std::string text;
    };
    std::vector<Cut> cuts;
    auto value_of = [&](std::string_view child, std::string text) {
      if (const pugi::xml_node element = Child(o.calendar, child)) {
        const xml_text::ValueSpan span = xml_text::SimpleContent(o.text, o.reader->Bounds(element));
        cuts.push_back({span.begin, span.end, std::move(text)});
      }
    };
    value_of("UID", std::to_string(highest + 1));
    value_of("Name", XmlEscaped(to));
    if (const pugi::xml_node guid = Child(o.calendar, "GUID")) {
      const xml_text::ElementBounds g = o.reader->Bounds(guid);
      cuts.push_back({xml_text::BlanksBefore(o.text, g.begin), g.end, {}});
    }
    std::sort(cuts.begin(), cuts.end(),
              [](const Cut& a, const Cut& b) { return a.begin > b.begin; });
    std::string copy = o.text.substr(bounds.begin, bounds.end - bounds.begin);
    for (const Cut& cut : cuts)
      copy.replace(cut.begin - bounds.begin, cut.end - cut.begin, cut.text);
    size_t after_last = bounds.end;
    for (pugi::xml_node node : o.calendars.children()) {
      if (node.type() == pugi::node_element && LocalName(node) == "Calendar")
        after_last = o.reader->Bounds(node).end;
    }
    const size_t line_start = xml_text::BlanksBefore(o.text, bounds.begin);
    std::string lead = o.text.substr(line_start, bounds.begin - line_start);
    // The blanks before the calendar, from its line break on: one line of its own.
    if (const size_t lf = lead.rfind('\n'); lf != std::string::npos) {
      const size_t cr = lf > 0 && lead[lf - 1] == '\r' ? lf - 1 : lf;
      lead = lead.substr(cr);
    }
    std::string next = o.text;
    next.insert(after_last, lead + copy);
    return next;
  });
}

Status ProjectFile::RenameBaseCalendar(std::string_view from, std::string_view to) {
  return Organize(from, [from, to](Organized& o) -> Result<std::string> {
    if (!base::EqualsIgnoringAsciiCase(from, to)) {
      if (Status fresh = CheckNewName(o.calendars, to); !fresh) return fresh.error();
    } else if (Trimmed(to).empty()) {
      return ErrorOf(ErrorKind::kInvalid, "a calendar needs a name");
    }
    return WithValue(o.text, *o.reader, Child(o.calendar, "Name"), XmlEscaped(to));
  });
}

Status ProjectFile::DeleteBaseCalendar(std::string_view name) {
  return Organize(name, [name](Organized& o) -> Result<std::string> {
    const std::string_view uid = Trimmed(ValueOf(o.calendar, "UID"));
    const pugi::xml_node root = o.calendars.parent();
    auto refuse = [name](const std::string& user) -> Result<std::string> {
      return ErrorOf(ErrorKind::kRefused, "the base calendar \"" + std::string(name) +
                                              "\" is in use by " + user + "; it was not deleted");
    };
    if (!uid.empty() && Trimmed(ValueOf(root, "CalendarUID")) == uid)
      return refuse("the project as its calendar");
    for (pugi::xml_node node : o.calendars.children()) {
      if (node.type() == pugi::node_element && LocalName(node) == "Calendar" &&
          node != o.calendar && Trimmed(ValueOf(node, "BaseCalendarUID")) == uid)
        return refuse("the calendar \"" + std::string(Child(node, "Name").child_value()) + "\"");
    }
    for (auto [list, item, what] : {std::tuple{"Resources", "Resource", "a resource"},
                                    std::tuple{"Tasks", "Task", "a task"}}) {
      for (pugi::xml_node node : Child(root, list).children()) {
        if (node.type() == pugi::node_element && LocalName(node) == item &&
            Trimmed(ValueOf(node, "CalendarUID")) == uid)
          return refuse(what);
      }
    }
    const xml_text::ElementBounds bounds = o.reader->Bounds(o.calendar);
    const size_t begin = xml_text::BlanksBefore(o.text, bounds.begin);
    std::string next = o.text;
    next.erase(begin, bounds.end - begin);
    return next;
  });
}

}  // namespace feriant::project
