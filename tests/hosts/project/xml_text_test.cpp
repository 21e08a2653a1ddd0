#include "hosts/project/xml_text.h"

#include <string>

#include <gtest/gtest.h>

namespace feriant::project::xml_text {
namespace {

struct ScanCase {
  const char* what;
  std::string text;  // the element under test starts at the first '<' after "@"
  std::string element;
  std::string content;
};

TEST(XmlTextTest, ScanElementFindsTheMatchingEnd) {
  const ScanCase cases[] = {
      {"plain", "@<A>x</A><B/>", "<A>x</A>", "x"},
      {"self-closing", "@<A b=\"1\"/><C/>", "<A b=\"1\"/>", ""},
      {"nested same name", "@<A><A>1</A><A/></A>tail", "<A><A>1</A><A/></A>", "<A>1</A><A/>"},
      {"'>' and '/>' inside attribute values", "@<A x='a>b' y=\"/>\">t</A>",
       "<A x='a>b' y=\"/>\">t</A>", "t"},
      {"markup inside a comment", "@<A><!-- </A> <A> --></A>", "<A><!-- </A> <A> --></A>",
       "<!-- </A> <A> -->"},
      {"markup inside CDATA", "@<A><![CDATA[</A>]]></A>x", "<A><![CDATA[</A>]]></A>",
       "<![CDATA[</A>]]>"},
      {"processing instruction", "@<A><?pi </A> ?></A>", "<A><?pi </A> ?></A>", "<?pi </A> ?>"},
      {"prefixed names, blanks in end tag", "@<p:A>\r\n\t<p:B/>\r\n</p:A >z",
       "<p:A>\r\n\t<p:B/>\r\n</p:A >", "\r\n\t<p:B/>\r\n"},
  };
  for (const ScanCase& c : cases) {
    const size_t begin = c.text.find('<', c.text.find('@'));
    const ElementBounds bounds = ScanElement(c.text, begin);
    EXPECT_EQ(c.text.substr(bounds.begin, bounds.end - bounds.begin), c.element) << c.what;
    EXPECT_EQ(c.text.substr(bounds.content_begin, bounds.content_end - bounds.content_begin),
              c.content)
        << c.what;
    EXPECT_EQ(bounds.self_closing, c.element.ends_with("/>")) << c.what;
  }
}

TEST(XmlTextTest, BlanksAndIndentation) {
  const std::string text = "<A>\r\n\t\t<B>v</B>  <C/>\n    <D/></A>";
  const size_t b = text.find("<B>");
  const size_t c = text.find("<C/>");
  const size_t d = text.find("<D/>");
  EXPECT_EQ(BlanksBefore(text, b), text.find('\r'));
  EXPECT_EQ(BlanksBefore(text, c), text.find("</B>") + 4);
  EXPECT_EQ(BlanksBefore(text, 0), 0u);
  EXPECT_EQ(IndentOf(text, b), "\t\t");
  EXPECT_EQ(IndentOf(text, c), "");  // something else stands on its line before it
  EXPECT_EQ(IndentOf(text, d), "    ");
  EXPECT_EQ(IndentOf(text, 0), "");

  const ElementBounds value = ScanElement(text, b);
  const ValueSpan span = SimpleContent(text, value);
  EXPECT_EQ(text.substr(span.begin, span.end - span.begin), "v");
  const ValueSpan empty = SimpleContent(text, ScanElement(text, c));
  EXPECT_EQ(empty.begin, empty.end);
}

}  // namespace
}  // namespace feriant::project::xml_text
