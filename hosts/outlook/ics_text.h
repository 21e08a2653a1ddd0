#pragma once
// The text layer of iCalendar files: content lines, folding, the layout of a whole file
// (where each top-level component begins and ends) and line-level edits of one component.
//
// Everything works on the bytes as they stand in the file, so that text nobody changed
// can be copied back exactly. Plain functions and values; no thread affinity.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/result.h"

namespace feriant::outlook {

// Lines are folded so that no physical line exceeds this many octets (without its line
// ending); a continuation line starts with one blank, which counts.
inline constexpr size_t kMaxLineOctets = 75;

// Eight bytes of text at a time, for scanning runs of bytes that need no attention. A
// test marks the bytes of a word that are such: the first marked byte is always one,
// later marks may be wrong. Words are loaded so that the first byte is the lowest.
namespace word8 {
inline constexpr std::uint64_t kOnes = 0x0101010101010101u;
inline constexpr std::uint64_t kHigh = 0x8080808080808080u;
inline std::uint64_t Load(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}
// Bytes below `bound` (at most 0x80).
constexpr std::uint64_t Below(std::uint64_t word, unsigned bound) {
  return (word - kOnes * bound) & ~word & kHigh;
}
constexpr std::uint64_t Equal(std::uint64_t word, unsigned char byte) {
  const std::uint64_t diff = word ^ (kOnes * byte);
  return (diff - kOnes) & ~diff & kHigh;
}
// Bytes from 0x80 on: parts of UTF-8 sequences, or of none.
constexpr std::uint64_t High(std::uint64_t word) {
  return word & kHigh;
}
// Where the first marked byte is; `marks` is not 0.
constexpr size_t FirstMarked(std::uint64_t marks) {
  return static_cast<size_t>(std::countr_zero(marks)) / 8;
}
}  // namespace word8

// The length of the valid UTF-8 sequence at the front of `text`; 0 when there is none
// (overlong forms, surrogates and code points above U+10FFFF are not valid).
size_t Utf8SequenceLength(std::string_view text);

// Reads content lines one at a time: a line and its continuation lines (those beginning
// with a blank or a tab) form one content line.
class ContentLineReader {
 public:
  explicit ContentLineReader(std::string_view text) : text_(text) {}

  // Moves to the next content line; false at the end of the text.
  bool Next();

  // The content line as it stands: its physical lines with their line endings (the last
  // line of a text may have none).
  std::string_view raw() const { return raw_; }
  size_t offset() const { return offset_; }
  // 1-based number of the physical line where it begins.
  int line_number() const { return line_number_; }
  // Unfolded, without the line ending.
  const std::string& logical() const { return logical_; }
  // The name before the first ';' or ':', as written; empty for a blank line.
  std::string_view name() const;
  // Whether `name()` equals `upper_name` ignoring ASCII case.
  bool NameIs(std::string_view upper_name) const;
  // The value after the first ':' outside double quotes; false when there is none.
  bool Value(std::string_view& value) const;

 private:
  std::string_view text_;
  size_t next_ = 0;
  int next_line_number_ = 1;
  std::string_view raw_;
  size_t offset_ = 0;
  int line_number_ = 0;
  std::string logical_;
};

// Appends `logical` as one content line folded at kMaxLineOctets, each physical line
// ended by `eol`. Folds never split a UTF-8 sequence.
void AppendFolded(std::string& out, std::string_view logical, std::string_view eol);

// A top-level component of a calendar: a child of VCALENDAR.
struct ComponentSpan {
  std::string name;  // upper case: "VEVENT", "VTIMEZONE", "X-FOO"
  size_t begin = 0;  // offset of its BEGIN line
  size_t end = 0;    // offset just past the line ending of its END line
  int line = 0;      // 1-based number of its BEGIN line
};

// Where things are in a calendar file.
struct CalendarLayout {
  // True when the text holds no calendar at all: empty, or blanks only.
  bool empty = true;
  std::vector<ComponentSpan> components;  // in file order
  size_t calendar_body = 0;               // just past the first BEGIN:VCALENDAR line
  size_t calendar_end = 0;  // offset of the last END:VCALENDAR line: new components go here
  bool has_prodid = false;  // of the first calendar
  bool has_version = false;
  std::string line_ending = "\r\n";  // the style of the file's first line
};

// Checks that `text` is an iCalendar stream and finds its components. The Error's
// description gives the reason a person can act on ("it ends inside the VEVENT begun at
// line 12: the file is truncated"), without naming the file. Components nested more than
// 32 deep (a calendar nests three) are refused.
Result<CalendarLayout> ScanCalendar(std::string_view text);

// Line-level edits of one component's text (BEGIN to END), keeping every line that is
// not edited exactly as it was. Names compare ignoring ASCII case; given names are upper
// case. New lines are content lines without line endings; they are folded on output.
class ComponentText {
 public:
  explicit ComponentText(std::string_view text);

  bool HasProperty(std::string_view name) const;
  // The first of the component's own properties called `name` (not those of nested
  // components), unfolded; empty when there is none.
  std::string Property(std::string_view name) const;
  // Puts `lines` where the first property called `name` stands and removes the others of
  // that name; when there is none, adds them after the component's own properties.
  void SetProperty(std::string_view name, std::vector<std::string> lines);
  void RemoveProperty(std::string_view name);
  // Removes the nested components called `name` (VALARM) with everything inside.
  void RemoveComponents(std::string_view name);
  bool HasComponent(std::string_view name) const;
  // Adds a nested component (its lines from BEGIN to END) at the end.
  void AddComponent(std::vector<std::string> lines);

  std::string Text(std::string_view eol) const;

 private:
  struct Line {
    std::string raw;      // as it stood, with its line ending; empty for a new line
    std::string logical;  // unfolded
    std::string name;     // upper case; BEGIN and END for component bounds
    int depth = 0;        // 0: the component's own BEGIN/END; 1: its properties and
                          // nested BEGIN/END; 2 and more: inside nested components
  };
  // Where a new property goes: before the first nested component, or the END line.
  size_t PropertyInsertPoint() const;
  static Line NewLine(std::string logical, int depth);
  // Whether `line` begins a nested component called `name`.
  static bool BeginsNested(const Line& line, std::string_view name);

  std::vector<Line> lines_;
};

// SEQUENCE of an event's text: 0 when it has none (or none that reads as a number).
std::int64_t SequenceOf(std::string_view event);

}  // namespace feriant::outlook
