#include "platform/automation/guid.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace feriant::automation {
namespace {

TEST(GuidTest, ParsesTheRegistryFormAndPrintsItBack) {
  struct Case {
    const char* text;
    const char* printed;
  };
  const Case cases[] = {
      {"{A8FC043F-2ECC-4715-9724-E62009698500}", "{A8FC043F-2ECC-4715-9724-E62009698500}"},
      {"a8fc043f-2ecc-4715-9724-e62009698500", "{A8FC043F-2ECC-4715-9724-E62009698500}"},
      {"{7821d12D-EEB5-46f9-9049-D3eeB56902E5}", "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}"},
      {"{00000000-0000-0000-0000-000000000000}", "{00000000-0000-0000-0000-000000000000}"},
      {"FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
  };
  for (const Case& c : cases) {
    auto guid = Guid::Parse(c.text);
    ASSERT_TRUE(guid.has_value()) << c.text;
    EXPECT_EQ(guid->ToString(), c.printed) << c.text;
    EXPECT_EQ(Guid::Parse(guid->ToString()), guid) << c.text;
  }
  // The fields, in the order the text shows them.
  const Guid guid = *Guid::Parse("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_EQ(guid.data1, 0x01234567u);
  EXPECT_EQ(guid.data2, 0x89ABu);
  EXPECT_EQ(guid.data3, 0xCDEFu);
  EXPECT_EQ(guid.data4,
            (std::array<std::uint8_t, 8>{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}));
}

TEST(GuidTest, RefusesEverythingElse) {
  const char* const refused[] = {
      "",
      "{}",
      "{A8FC043F-2ECC-4715-9724-E62009698500",  // no closing brace
      "A8FC043F-2ECC-4715-9724-E62009698500}",  // no opening brace
      "{{A8FC043F-2ECC-4715-9724-E62009698500}}",
      "{A8FC043F-2ECC-4715-9724-E6200969850}",    // one digit short
      "{A8FC043F-2ECC-4715-9724-E620096985000}",  // one digit too many
      "{A8FC043F2ECC-4715-9724-E62009698500}",    // a hyphen missing
      "{A8FC043F-2ECC-4715-9724E62009698500}",
      "{A8FC043F-2ECC-4715-97-24E62009698500}",  // a hyphen in the wrong place
      "{A8FC043G-2ECC-4715-9724-E62009698500}",  // not hex
      "{A8FC043F-2ECC-4715-9724-E6200969850 }",
      " {A8FC043F-2ECC-4715-9724-E62009698500}",
      "{A8FC043F-2ECC-4715-9724-E62009698500} ",
      "(A8FC043F-2ECC-4715-9724-E62009698500)",
      "{+8FC043F-2ECC-4715-9724-E62009698500}",
      "{A8FC043F-2ECC-4715-9724-E62009698500}x",
  };
  for (const char* text : refused)
    EXPECT_FALSE(Guid::Parse(text).has_value()) << text;
}

TEST(GuidTest, GeneratesDistinctVersion4Identifiers) {
  std::set<Guid> seen;
  for (int i = 0; i < 1000; ++i) {
    const Guid guid = Guid::Generate();
    EXPECT_EQ(guid.data3 >> 12, 4) << guid.ToString();
    EXPECT_EQ(guid.data4[0] >> 6, 2) << guid.ToString();  // RFC 4122 variant
    EXPECT_FALSE(guid.IsNull());
    EXPECT_EQ(Guid::Parse(guid.ToString()), guid);
    seen.insert(guid);
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_TRUE(Guid().IsNull());
}

}  // namespace
}  // namespace feriant::automation
