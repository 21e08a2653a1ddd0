#include "hosts/outlook/ics_text.h"

#include <cstdio>

#include "platform/base/text.h"

namespace feriant::outlook {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// How deep components may nest, the calendar itself counted: calendars nest three deep
// (VCALENDAR, VTIMEZONE, STANDARD; VCALENDAR, VEVENT, VALARM). Deeper nesting is no
// calendar a program wrote, and reading it would recurse as deep.
constexpr size_t kMaxNesting = 32;

using base::EqualsIgnoringAsciiCase;
using base::ToUpperAscii;

// Property, parameter and component names: letters, digits and '-'.
bool IsName(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    if (!ok) return false;
  }
  return true;
}

Error Refusal(std::string text, ErrorKind kind = ErrorKind::kDamaged) {
  return ErrorOf(kind, std::move(text));
}

std::string LineText(int line) {
  return "line " + std::to_string(line);
}

// Refuses bytes that cannot be in a text calendar: NUL and other control characters
// (TAB, CR before LF, and LF excepted).
Status CheckControlBytes(std::string_view text) {
  int line = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++line;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", c);
      return Refusal("it is not a text file (" + LineText(line) + " holds the control byte " +
                     code + ")");
    }
  }
  return Ok();
}

// Checked on unfolded lines: some writers fold in the middle of a character.
bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// Versions that name 2.0 as the one or the highest they need ("2.0", "1.0;2.0").
bool IsVersionTwo(std::string_view value) {
  value = base::Trim(value);
  const size_t semicolon = value.rfind(';');
  if (semicolon != std::string_view::npos) value = base::Trim(value.substr(semicolon + 1));
  return value == "2.0";
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

bool ContentLineReader::Next() {
  if (next_ >= text_.size()) return false;
  offset_ = next_;
  line_number_ = next_line_number_;
  logical_.clear();
  size_t pos = next_;
  size_t content_start = pos;
  for (;;) {
    const size_t newline = text_.find('\n', pos);
    const size_t line_end = newline == std::string_view::npos ? text_.size() : newline + 1;
    size_t content_end = newline == std::string_view::npos ? text_.size() : newline;
    if (content_end > content_start && text_[content_end - 1] == '\r') --content_end;
    logical_.append(text_.substr(content_start, content_end - content_start));
    ++next_line_number_;
    pos = line_end;
    if (pos >= text_.size() || (text_[pos] != ' ' && text_[pos] != '\t')) break;
    content_start = pos + 1;  // a fold: the line ending and one blank are not content
  }
  raw_ = text_.substr(offset_, pos - offset_);
  next_ = pos;
  return true;
}

std::string_view ContentLineReader::name() const {
  const std::string_view line = logical_;
  return line.substr(0, line.find_first_of(";:"));
}

bool ContentLineReader::NameIs(std::string_view upper_name) const {
  return EqualsIgnoringAsciiCase(name(), upper_name);
}

bool ContentLineReader::Value(std::string_view& value) const {
  bool quoted = false;
  for (size_t i = 0; i < logical_.size(); ++i) {
    const char c = logical_[i];
    if (c == '"') quoted = !quoted;
    if (c == ':' && !quoted) {
      value = std::string_view(logical_).substr(i + 1);
      return true;
    }
  }
  return false;
}

void AppendFolded(std::string& out, std::string_view logical, std::string_view eol) {
  size_t pos = 0;
  bool first = true;
  for (;;) {
    const size_t room = first ? kMaxLineOctets : kMaxLineOctets - 1;
    if (!first) out += ' ';
    if (logical.size() - pos <= room) {
      out.append(logical.substr(pos));
      out.append(eol);
      return;
    }
    size_t cut = pos + room;
    // Back up to the first byte of a UTF-8 sequence, so no character is split.
    while (cut > pos && (static_cast<unsigned char>(logical[cut]) & 0xC0) == 0x80)
      --cut;
    if (cut == pos) cut = pos + room;
    out.append(logical.substr(pos, cut - pos));
    out.append(eol);
    pos = cut;
    first = false;
  }
}

Result<CalendarLayout> ScanCalendar(std::string_view text) {
  CalendarLayout layout;
  if (base::Trim(text, base::kWhitespace).empty()) return layout;
  if (Status bytes = CheckControlBytes(text); !bytes) return bytes.error();

  const size_t first_newline = text.find('\n');
  if (first_newline != std::string_view::npos && first_newline > 0 &&
      text[first_newline - 1] != '\r') {
    layout.line_ending = "\n";
  }

  struct Open {
    std::string name;
    int line;
  };
  std::vector<Open> open;
  ComponentSpan current;
  int calendars = 0;
  ContentLineReader reader(text);
  bool first_line = true;
  while (reader.Next()) {
    std::string_view logical = reader.logical();
    if (first_line && logical.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      logical.remove_prefix(kByteOrderMark.size());
    }
    if (base::Trim(logical).empty()) continue;
    const int line = reader.line_number();
    if (!IsUtf8(logical)) return Refusal("it is not UTF-8 text (" + LineText(line) + ")");
    const std::string_view name = logical.substr(0, logical.find_first_of(";:"));
    std::string_view value;
    if (!IsName(name) || !reader.Value(value)) {
      if (first_line) {
        return Refusal("it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR");
      }
      return Refusal(LineText(line) + " is not an iCalendar content line");
    }
    const bool begins = EqualsIgnoringAsciiCase(name, "BEGIN");
    const bool ends = EqualsIgnoringAsciiCase(name, "END");
    if (first_line && !(begins && EqualsIgnoringAsciiCase(base::Trim(value), "VCALENDAR"))) {
      return Refusal("it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR");
    }
    first_line = false;

    if (begins || ends) {
      const std::string component = ToUpperAscii(base::Trim(value));
      if (!IsName(component)) return Refusal(LineText(line) + " names no component");
      if (begins) {
        if (open.empty() && component != "VCALENDAR") {
          return Refusal(LineText(line) + ": BEGIN:" + component + " stands outside a calendar");
        }
        if (!open.empty() && component == "VCALENDAR") {
          return Refusal(LineText(line) + ": a calendar begins inside the " + open.back().name +
                         " begun at line " + std::to_string(open.back().line));
        }
        if (open.empty()) {
          if (++calendars == 1) layout.calendar_body = reader.offset() + reader.raw().size();
          layout.empty = false;
        } else if (open.size() == 1) {
          current = ComponentSpan{component, reader.offset(), 0, line};
        }
        if (open.size() == kMaxNesting) {
          return Refusal(LineText(line) + ": components are nested more than " +
                         std::to_string(kMaxNesting) + " deep");
        }
        open.push_back(Open{component, line});
      } else {
        if (open.empty()) {
          return Refusal(LineText(line) + ": END:" + component + " closes nothing");
        }
        if (open.back().name != component) {
          return Refusal(LineText(line) + ": END:" + component + " does not close the " +
                         open.back().name + " begun at line " + std::to_string(open.back().line));
        }
        open.pop_back();
        if (open.size() == 1) {
          current.end = reader.offset() + reader.raw().size();
          layout.components.push_back(std::move(current));
          current = ComponentSpan{};
        } else if (open.empty()) {
          layout.calendar_end = reader.offset();
        }
      }
      continue;
    }

    if (open.empty()) return Refusal(LineText(line) + " stands outside a calendar");
    if (open.size() == 1 && calendars == 1) {
      if (EqualsIgnoringAsciiCase(name, "PRODID")) layout.has_prodid = true;
      if (EqualsIgnoringAsciiCase(name, "VERSION")) {
        layout.has_version = true;
        if (!IsVersionTwo(value)) {
          const std::string_view version = base::Trim(value);
          return Refusal(version.empty()
                             ? LineText(line) + " names no version; only version 2.0 can be read"
                             : "it is an iCalendar file of version " + std::string(version) +
                                   "; only version 2.0 can be read",
                         ErrorKind::kUnsupported);
        }
      }
    }
  }
  if (!open.empty()) {
    return Refusal("it ends inside the " + open.back().name + " begun at line " +
                   std::to_string(open.back().line) + ": the file is truncated");
  }
  return layout;
}

ComponentText::ComponentText(std::string_view text) {
  ContentLineReader reader(text);
  int depth = 0;
  while (reader.Next()) {
    Line line;
    line.raw = std::string(reader.raw());
    line.logical = reader.logical();
    line.name = ToUpperAscii(reader.name());
    if (line.name == "END" && depth > 0) --depth;
    line.depth = depth;
    if (line.name == "BEGIN") ++depth;
    lines_.push_back(std::move(line));
  }
}

ComponentText::Line ComponentText::NewLine(std::string logical, int depth) {
  Line line;
  line.name = ToUpperAscii(std::string_view(logical).substr(0, logical.find_first_of(";:")));
  line.logical = std::move(logical);
  line.depth = depth;
  return line;
}

bool ComponentText::HasProperty(std::string_view name) const {
  for (const Line& line : lines_) {
    if (line.depth == 1 && line.name == name) return true;
  }
  return false;
}

std::string ComponentText::Property(std::string_view name) const {
  for (const Line& line : lines_) {
    if (line.depth == 1 && line.name == name) return line.logical;
  }
  return {};
}

size_t ComponentText::PropertyInsertPoint() const {
  for (size_t i = 1; i < lines_.size(); ++i) {
    if (lines_[i].depth == 1 && lines_[i].name == "BEGIN") return i;
    if (lines_[i].depth == 0) return i;
  }
  return lines_.size();
}

void ComponentText::SetProperty(std::string_view name, std::vector<std::string> lines) {
  size_t at = lines_.size();
  for (size_t i = 0; i < lines_.size();) {
    if (lines_[i].depth == 1 && lines_[i].name == name) {
      if (at == lines_.size()) at = i;
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  if (at == lines_.size()) at = PropertyInsertPoint();
  for (std::string& logical : lines) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), NewLine(std::move(logical), 1));
    ++at;
  }
}

void ComponentText::RemoveProperty(std::string_view name) {
  SetProperty(name, {});
}

bool ComponentText::BeginsNested(const Line& line, std::string_view name) {
  if (line.depth != 1 || line.name != "BEGIN") return false;
  const std::string_view logical = line.logical;
  const size_t colon = logical.find(':');
  return colon != std::string_view::npos &&
         EqualsIgnoringAsciiCase(base::Trim(logical.substr(colon + 1)), name);
}

bool ComponentText::HasComponent(std::string_view name) const {
  for (const Line& line : lines_) {
    if (BeginsNested(line, name)) return true;
  }
  return false;
}

void ComponentText::RemoveComponents(std::string_view name) {
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool skipping = false;
  for (Line& line : lines_) {
    if (!skipping && BeginsNested(line, name)) {
      skipping = true;
      continue;
    }
    if (skipping) {
      if (line.depth == 1 && line.name == "END") skipping = false;
      continue;
    }
    kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

void ComponentText::AddComponent(std::vector<std::string> lines) {
  size_t at = lines_.empty() ? 0 : lines_.size() - 1;  // before the component's END line
  int depth = 1;
  for (std::string& logical : lines) {
    Line line = NewLine(std::move(logical), depth);
    if (line.name == "END") line.depth = --depth;
    if (line.name == "BEGIN") ++depth;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    ++at;
  }
}

std::string ComponentText::Text(std::string_view eol) const {
  std::string out;
  for (const Line& line : lines_) {
    if (!line.raw.empty()) {
      out += line.raw;
    } else {
      AppendFolded(out, line.logical, eol);
    }
  }
  return out;
}

std::int64_t SequenceOf(std::string_view event) {
  const std::string line = ComponentText(event).Property("SEQUENCE");
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return 0;
  // Digits alone, as the stores have always read it: a sign makes it no number here.
  return base::ParseWholeNumber(std::string_view(line).substr(colon + 1),
                                {.minus_sign = false, .plus_sign = false, .min = 0})
      .value_or(0);
}

}  // namespace feriant::outlook
