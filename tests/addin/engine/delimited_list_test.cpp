#include "addin/engine/delimited_list.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/engine/text_case.h"

namespace feriant::engine {
namespace {

constexpr auto kIgnore = CaseSensitivity::kInsensitive;
constexpr auto kExact = CaseSensitivity::kSensitive;

TEST(TextCaseTest, FoldsLatinLettersAndKeepsByteLength) {
  const struct {
    const char* text;
    const char* folded;
  } kCases[] = {
      {"ÖSTERREICH", "österreich"},
      {"Österreich", "österreich"},
      {"ÄÖÜ äöü ß", "äöü äöü ß"},
      {"ÀÉÎÕÝÞ", "àéîõýþ"},
      {"×÷", "×÷"},                  // multiplication and division signs have no case
      {"ĀĂĄĆČĎĚĞĦĮ", "āăąćčďěğħį"},  // Latin Extended-A, even/odd pairs
      {"ĹĽŁŃŇ", "ĺľłńň"},            // odd/even pairs
      {"ŊŐŒŘŚŠŤŮŰŸŹŻŽ", "ŋőœřśšťůűÿźżž"},
      {"İıſĸŉ", "İıſĸŉ"},  // no partner of the same length, or no case at all
      {"Zürich 2006 |/-", "zürich 2006 |/-"},
      {"\xC3", "\xC3"},  // truncated sequence
      {"\xC3"
       "A",
       "\xC3"
       "a"},  // lead byte without its continuation
      {"\x80\xC4\xFF", "\x80\xC4\xFF"},
  };
  for (const auto& c : kCases) {
    const std::string folded = FoldCase(c.text);
    EXPECT_EQ(folded, c.folded) << c.text;
    EXPECT_EQ(folded.size(), std::string(c.text).size()) << c.text;
  }
  EXPECT_TRUE(EqualsIgnoringCase("ÖSTERREICH", "Österreich"));
  EXPECT_TRUE(EqualsIgnoringCase("schweiz (PARTIALLY)", "Schweiz (partially)"));
  EXPECT_FALSE(EqualsIgnoringCase("Österreich", "Osterreich"));
  EXPECT_FALSE(EqualsIgnoringCase("Schweiz", "Schweiz "));
}

TEST(DelimitedListTest, ContainsText) {
  const struct {
    const char* text;
    const char* part;
    CaseSensitivity sensitivity;
    bool expected;
  } kCases[] = {
      {"Deutschland, Österreich", "ÖSTERREICH", kIgnore, true},
      {"Deutschland, Österreich", "ÖSTERREICH", kExact, false},
      {"Deutschland, Österreich", "Österreich", kExact, true},
      {"Deutschland", "", kIgnore, true},
      {"", "", kExact, true},
      {"", "a", kIgnore, false},
      {"Bayern", "Bayern (Statutory)", kIgnore, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ContainsText(c.text, c.part, c.sensitivity), c.expected) << c.text << " / " << c.part;
  }
}

TEST(DelimitedListTest, IsInList) {
  const struct {
    const char* list;
    const char* item;
    const char* delimiter;
    CaseSensitivity sensitivity;
    bool expected;
  } kCases[] = {
      {"Deutschland, Österreich", "österreich", ", ", kIgnore, true},
      {"Deutschland, Österreich", "österreich", ", ", kExact, false},
      {"Deutschland, Österreich", "Deutschland", ", ", kIgnore, true},
      {"Deutschland, Österreich", "Deutsch", ", ", kIgnore, false},  // whole entries only
      {"Deutschland, Schweiz (partially)", "Schweiz", ", ", kIgnore, false},
      {"Deutschland", "Deutschland", ", ", kIgnore, true},
      {"A, ", "A", ", ", kIgnore, true},
      {"", "", ", ", kIgnore, true},
      {"", "A", ", ", kIgnore, false},
      {"a\r\nb\r\n\r\nc\r\nd", "c\r\nd", "\r\n\r\n", kIgnore, true},
      {"a\r\nb\r\n\r\nc\r\nd", "b", "\r\n\r\n", kIgnore, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsInList(c.list, c.item, c.delimiter, c.sensitivity), c.expected)
        << c.list << " / " << c.item;
  }
}

TEST(DelimitedListTest, AddToList) {
  const struct {
    const char* list;
    const char* item;
    const char* delimiter;
    CaseSensitivity sensitivity;
    const char* expected;
  } kCases[] = {
      {"", "A", ", ", kIgnore, "A"},
      {"A", "a", ", ", kIgnore, "A"},
      {"A", "a", ", ", kExact, "A, a"},
      {"A", "B", ", ", kIgnore, "A, B"},
      {"A, ", "B", ", ", kIgnore, "A, B, "},
      {"A, B", "AB", ", ", kIgnore, "A, B, AB"},
      {"Deutschland", "ÖSTERREICH", ", ", kIgnore, "Deutschland, ÖSTERREICH"},
      {"Deutschland, Österreich", "ÖSTERREICH", ", ", kIgnore, "Deutschland, Österreich"},
      {"Deutschland/Bayern (Statutory)", "Deutschland/Hessen (Statutory)", "\r\n", kIgnore,
       "Deutschland/Bayern (Statutory)\r\nDeutschland/Hessen (Statutory)"},
      {"x\r\ny", "z\r\nw", "\r\n\r\n", kIgnore, "x\r\ny\r\n\r\nz\r\nw"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(AddToList(c.list, c.item, c.delimiter, c.sensitivity), c.expected)
        << c.list << " + " << c.item;
  }
}

TEST(DelimitedListTest, RemoveFromList) {
  const struct {
    const char* list;
    const char* item;
    const char* delimiter;
    CaseSensitivity sensitivity;
    const char* expected;
  } kCases[] = {
      {"A, B, C", "B", ", ", kIgnore, "A, C"},
      {"A, B, C", "A", ", ", kIgnore, "B, C"},
      {"A, B, C", "C", ", ", kIgnore, "A, B"},
      {"A, B, C", "D", ", ", kIgnore, "A, B, C"},
      {"A", "a", ", ", kIgnore, ""},
      {"A", "a", ", ", kExact, "A"},
      {"A, B, C", "b", ", ", kExact, "A, B, C"},
      {"A, B, B, C", "B", ", ", kIgnore, "A, B, C"},  // the first occurrence only
      {"A, BC", "B", ", ", kIgnore, "A, BC"},         // whole entries only
      {"AB, C", "A", ", ", kIgnore, "AB, C"},
      {"CA, B", "A", ", ", kIgnore, "CA, B"},
      {"A, ", "A", ", ", kIgnore, ""},
      {"Deutschland, Schweiz (partially), France", "SCHWEIZ (PARTIALLY)", ", ", kIgnore,
       "Deutschland, France"},
      {"Deutschland, Österreich", "ÖSTERREICH", ", ", kIgnore, "Deutschland"},
      {"a\r\nb\r\n\r\nc\r\nd\r\n\r\ne", "C\r\nD", "\r\n\r\n", kIgnore, "a\r\nb\r\n\r\ne"},
      {"a\r\nb\r\n\r\nc\r\nd", "a\r\nb", "\r\n\r\n", kIgnore, "c\r\nd"},
      {"", "A", ", ", kIgnore, ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RemoveFromList(c.list, c.item, c.delimiter, c.sensitivity), c.expected)
        << c.list << " - " << c.item;
  }
}

// What AddToList puts in, RemoveFromList takes out again, whatever the case and order.
TEST(DelimitedListTest, RemoveUndoesAdd) {
  const char* kItems[] = {"Deutschland", "Schweiz (partially)", "Österreich", "France"};
  for (const char* first : kItems) {
    for (const char* second : kItems) {
      const std::string both =
          AddToList(AddToList("", first, ", ", kIgnore), second, ", ", kIgnore);
      const std::string without = RemoveFromList(both, FoldCase(second), ", ", kIgnore);
      EXPECT_EQ(without, std::string(first) == second ? "" : first) << first << " " << second;
    }
  }
}

// The builder gives what a chain of AddToList calls gives, for any delimiter, any case and
// items that themselves end with the delimiter or hold broken characters.
TEST(DelimitedListTest, BuilderAgreesWithAddToList) {
  const char* kItems[] = {"Deutschland/Bayern (Statutory)",
                          "DEUTSCHLAND/BAYERN (STATUTORY)",
                          "Österreich (Whole country)",
                          "ÖSTERREICH (WHOLE COUNTRY)",
                          "a",
                          "A",
                          "",
                          "x\r\n",
                          "\r\n",
                          "\xC3",
                          "\x96"
                          "b",
                          ", ",
                          "y, "};
  const char* kDelimiters[] = {"\r\n", ", ", "\r\n\r\n", "", "\xC3", "|\xC3"};
  std::mt19937 random(1984);
  for (const char* delimiter : kDelimiters) {
    for (const CaseSensitivity sensitivity : {kIgnore, kExact}) {
      for (int round = 0; round < 200; ++round) {
        ListBuilder builder(delimiter, sensitivity);
        std::string expected;
        std::vector<std::string> added;
        for (int i = 0; i < 8; ++i) {
          const char* item = kItems[random() % std::size(kItems)];
          added.emplace_back(item);
          builder.Add(item);
          expected = AddToList(expected, item, delimiter, sensitivity);
          ASSERT_EQ(builder.list(), expected) << "delimiter #" << delimiter << "# after " << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace feriant::engine
