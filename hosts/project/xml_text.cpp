#include "hosts/project/xml_text.h"

namespace feriant::project::xml_text {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Offset just after `terminator` searched from `from`; the text's end when absent.
size_t After(std::string_view text, size_t from, std::string_view terminator) {
  size_t at = text.find(terminator, from);
  return at == std::string_view::npos ? text.size() : at + terminator.size();
}

// Offset just after the '>' closing the tag that starts at `lt`, skipping quoted values.
// `self_closing` tells whether the tag ended with "/>".
size_t TagEnd(std::string_view text, size_t lt, bool& self_closing) {
  char quote = 0;
  for (size_t i = lt + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      self_closing = text[i - 1] == '/';
      return i + 1;
    }
  }
  self_closing = false;
  return text.size();
}

}  // namespace

ElementBounds ScanElement(std::string_view text, size_t begin) {
  ElementBounds bounds;
  bounds.begin = begin;
  bounds.content_begin = TagEnd(text, begin, bounds.self_closing);
  if (bounds.self_closing) {
    bounds.content_end = bounds.end = bounds.content_begin;
    return bounds;
  }
  int depth = 1;
  size_t i = bounds.content_begin;
  while (i < text.size()) {
    const size_t lt = text.find('<', i);
    if (lt == std::string_view::npos) break;
    const std::string_view rest = text.substr(lt);
    if (rest.starts_with("<!--")) {
      i = After(text, lt + 4, "-->");
    } else if (rest.starts_with("<![CDATA[")) {
      i = After(text, lt + 9, "]]>");
    } else if (rest.starts_with("<?")) {
      i = After(text, lt + 2, "?>");
    } else if (rest.starts_with("</")) {
      bool unused = false;
      i = TagEnd(text, lt, unused);
      if (--depth == 0) {
        bounds.content_end = lt;
        bounds.end = i;
        return bounds;
      }
    } else {
      bool self_closing = false;
      i = TagEnd(text, lt, self_closing);
      if (!self_closing) ++depth;
    }
  }
  // Unreachable for well-formed text; keep the bounds inside it all the same.
  bounds.content_end = bounds.end = text.size();
  return bounds;
}

size_t BlanksBefore(std::string_view text, size_t pos) {
  while (pos > 0 && IsBlank(text[pos - 1]))
    --pos;
  return pos;
}

std::string_view IndentOf(std::string_view text, size_t pos) {
  size_t start = pos;
  while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t'))
    --start;
  if (start == 0 || text[start - 1] != '\n') return {};
  return text.substr(start, pos - start);
}

ValueSpan SimpleContent(std::string_view text, const ElementBounds& element) {
  size_t end = text.find('<', element.content_begin);
  if (end == std::string_view::npos || end > element.content_end) end = element.content_end;
  return ValueSpan{element.content_begin, end};
}

}  // namespace feriant::project::xml_text
