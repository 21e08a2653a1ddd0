#pragma once
// Byte-level helpers over the text of a well-formed XML document, used to splice edited
// elements into a file without re-serialising what was not edited. Every position is a
// byte offset into the text; the caller has checked well-formedness with a parser first,
// so these scanners only need to skip markup correctly (quoted attribute values,
// comments, CDATA sections, processing instructions). Pure functions; no threads.

#include <cstddef>
#include <string>
#include <string_view>

namespace feriant::project::xml_text {

// The parts of one element whose start tag begins with '<' at `begin`.
struct ElementBounds {
  size_t begin = 0;          // the '<' of the start tag
  size_t content_begin = 0;  // just after the start tag's '>'
  size_t content_end = 0;    // the '<' of the end tag; == content_begin when self-closing
  size_t end = 0;            // just after the element
  bool self_closing = false;
};

// The bounds of the element starting at `begin`; text[begin] must be '<'.
ElementBounds ScanElement(std::string_view text, size_t begin);

// The start of the run of blanks (space, tab, CR, LF) that ends at `pos`.
size_t BlanksBefore(std::string_view text, size_t pos);

// The blanks between the line break before `pos` and `pos`; empty when something other
// than blanks stands there or no line break precedes it.
std::string_view IndentOf(std::string_view text, size_t pos);

// The text of the element's simple content: from `content_begin` to the next '<'.
struct ValueSpan {
  size_t begin = 0;
  size_t end = 0;
};
ValueSpan SimpleContent(std::string_view text, const ElementBounds& element);

}  // namespace feriant::project::xml_text
