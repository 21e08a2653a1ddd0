#include "addin/engine/version.h"

#include <gtest/gtest.h>

namespace feriant::engine {
namespace {

TEST(VersionTest, ComparesMajorThenMinor) {
  struct Case {
    const char* version;
    const char* required;
    bool at_least;
  } cases[] = {
      {"11.0", "10.0", true},
      {"10.0", "10.0", true},
      {"9.0", "10.0", false},
      {"14.0", "10.0", true},
      {"10.1", "10.2", false},
      {"10.10", "10.2", true},
      {"9.9", "10.0", false},
      {"010.00", "10.0", true},
      {"12.0", "10.5", true},
      {"100.0", "99.0", true},
      {"99999999999.0", "10.0", true},
      // With a build number: the parts compare in order, a missing one as 0.
      {"11.0.0.8312", "10.0", true},
      {"9.0.0.8312", "10.0", false},
      {"10.0.0.1", "10.0", true},
      {"10.0.0", "10.0.0.1", false},
      {"10.0.2", "10.0.10", false},
      {"10.1.0", "10.0.99", true},
      {"11.0.1", "10.0", true},
      // Not of the form major.minor: never at least anything.
      {"10", "10.0", false},
      {"10.x", "10.0", false},
      {"10.0", "10", false},
      {"", "10.0", false},
      {".0", "10.0", false},
      {"11.", "10.0", false},
      {"11.0.0.", "10.0", false},
      {"11.0..1", "10.0", false},
      {"11.0.0.x", "10.0", false},
      {" 11.0", "10.0", false},
      {"+11.0", "10.0", false},
      {"-1.0", "-2.0", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsVersionAtLeast(c.version, c.required), c.at_least)
        << '"' << c.version << "\" against \"" << c.required << '"';
  }
}

}  // namespace
}  // namespace feriant::engine
