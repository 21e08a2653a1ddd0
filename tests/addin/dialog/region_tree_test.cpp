#include "addin/dialog/region_tree.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/host_kind.h"

namespace feriant::dialog {
namespace {

constexpr std::int32_t kNoHost = 0;
constexpr std::int16_t kGerman = 1031;
constexpr std::int16_t kEnglish = 1033;

clsLangSetter Texts(std::int16_t language) {
  clsLangSetter texts;
  texts.LanguageID = language;
  return texts;
}

const RegionNode& NodeOf(const RegionTree& tree, std::string_view key) {
  const NodeIndex node = tree.Find(key);
  EXPECT_NE(node, kNoNode) << key;
  return tree.Nodes().at(static_cast<size_t>(node));
}

TEST(HolidayCountLabelTest, SingularOnlyForOneAndPlusBelowTheCountry) {
  struct Case {
    std::int32_t count;
    std::int32_t depth;
    std::int16_t language;
    const char* label;
  };
  const Case cases[] = {
      {1, 0, kEnglish, "(1 holiday)"},    {1, 1, kEnglish, "(+1 holiday)"},
      {1, 3, kEnglish, "(+1 holiday)"},   {0, 0, kEnglish, "(0 holidays)"},
      {0, 2, kEnglish, "(+0 holidays)"},  {2, 1, kEnglish, "(+2 holidays)"},
      {64, 0, kEnglish, "(64 holidays)"}, {1, 0, kGerman, "(1 Feiertag)"},
      {1, 1, kGerman, "(+1 Feiertag)"},   {23, 0, kGerman, "(23 Feiertage)"},
      {0, 1, kGerman, "(+0 Feiertage)"},  {11, 0, 3079, "(11 holidays)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HolidayCountLabel(c.count, c.depth, Texts(c.language)), c.label)
        << c.count << " at depth " << c.depth << " in " << c.language;
  }
}

TEST(RegionTreeTest, NodeTextsCountTheRegionsOwnRowsByHost) {
  struct Case {
    const char* country;
    std::int32_t host_kind;
    std::int16_t language;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      // Every row in Outlook: 23 nationwide rows, 12 of them not days off.
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland", "Deutschland (23 holidays)"},
      {"Deutschland", engine::kHostProject, kEnglish, "Deutschland", "Deutschland (11 holidays)"},
      {"Deutschland", engine::kHostOutlook, kGerman, "Deutschland", "Deutschland (23 Feiertage)"},
      // Only its own rows, nothing of the country's or its children's.
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland|Bayern", "Bayern (+3 holidays)"},
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland|Brandenburg",
       "Brandenburg (+1 holiday)"},
      {"Deutschland", engine::kHostOutlook, kGerman, "Deutschland|Brandenburg",
       "Brandenburg (+1 Feiertag)"},
      // Intermediate levels without rows of their own.
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland|Bayern|Schwaben",
       "Schwaben (+0 holidays)"},
      {"Deutschland", engine::kHostOutlook, kEnglish,
       "Deutschland|Bayern|Schwaben|Augsburg (Stadt)", "Augsburg (Stadt) (+2 holidays)"},
      // Wäldchestag has status 4: a holiday in Outlook, no day off for a project.
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland|Hessen|Frankfurt am Main",
       "Frankfurt am Main (+1 holiday)"},
      {"Deutschland", engine::kHostProject, kEnglish, "Deutschland|Hessen|Frankfurt am Main",
       "Frankfurt am Main (+0 holidays)"},
      // Without a host the days off count, as in Project.
      {"Deutschland", kNoHost, kEnglish, "Deutschland|Hessen|Frankfurt am Main",
       "Frankfurt am Main (+0 holidays)"},
      // Reformationstag (1) and Buss- und Bettag (4).
      {"Deutschland", engine::kHostOutlook, kEnglish, "Deutschland|Sachsen",
       "Sachsen (+2 holidays)"},
      {"Deutschland", engine::kHostProject, kEnglish, "Deutschland|Sachsen",
       "Sachsen (+1 holiday)"},
      {"Liechtenstein", engine::kHostOutlook, kEnglish, "Liechtenstein",
       "Liechtenstein (30 holidays)"},
      {"Liechtenstein", engine::kHostProject, kEnglish, "Liechtenstein",
       "Liechtenstein (17 holidays)"},
      {"2006 FIFA World Cup Germany\u2122", engine::kHostOutlook, kEnglish,
       "2006 FIFA World Cup Germany\u2122", "2006 FIFA World Cup Germany\u2122 (64 holidays)"},
      {"2006 FIFA World Cup Germany\u2122", engine::kHostProject, kEnglish,
       "2006 FIFA World Cup Germany\u2122", "2006 FIFA World Cup Germany\u2122 (0 holidays)"},
      // Same display name, different regions and counts.
      {"Schweiz", engine::kHostOutlook, kEnglish, "Schweiz|Aargau|Aarau", "Aarau (+3 holidays)"},
      {"Schweiz", engine::kHostOutlook, kEnglish, "Schweiz|Aargau|Aarau|Aarau",
       "Aarau (+1 holiday)"},
      {"Schweiz", engine::kHostProject, kEnglish, "Schweiz|Aargau|Aarau|Aarau",
       "Aarau (+0 holidays)"},
  };
  for (const Case& c : cases) {
    const RegionTree tree = RegionTree::Build(c.country, c.host_kind, Texts(c.language));
    EXPECT_EQ(NodeOf(tree, c.key).Text, c.text) << c.key << " host " << c.host_kind;
  }
}

TEST(RegionTreeTest, HoldsTheCountrysRegionsInTableOrderUnderTheirParents) {
  struct Case {
    const char* country;
    size_t nodes;
    std::int32_t first_region;
    std::array<size_t, 4> by_depth;
  };
  const Case cases[] = {
      {"Deutschland", 33, 0, {1, 16, 10, 6}},
      {"France", 24, 32, {1, 22, 1, 0}},
      {"Liechtenstein", 1, 56, {1, 0, 0, 0}},
      {"\u00d6sterreich", 1, 57, {1, 0, 0, 0}},
      {"Schweiz", 314, 58, {1, 26, 94, 193}},
      {"2006 FIFA World Cup Germany\u2122", 1, 373, {1, 0, 0, 0}},
  };
  const clsLangSetter texts = Texts(kEnglish);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.country);
    const RegionTree tree = RegionTree::Build(c.country, engine::kHostOutlook, texts);
    ASSERT_EQ(tree.Nodes().size(), c.nodes);
    std::array<size_t, 4> by_depth{};
    std::int32_t previous_region = c.first_region - 1;
    for (size_t i = 0; i < tree.Nodes().size(); ++i) {
      const RegionNode& node = tree.Nodes()[i];
      EXPECT_GT(node.RegionIndex, previous_region) << node.Key;
      previous_region = node.RegionIndex;
      EXPECT_EQ(node.Key, data::RegionTable[static_cast<size_t>(node.RegionIndex)]);
      ++by_depth.at(static_cast<size_t>(node.Depth));
      // The node shows the last level of its path, then its count.
      const std::string_view leaf = data::RegionDisplayName(node.Key);
      EXPECT_EQ(node.Text.substr(0, leaf.size() + 2), std::string(leaf) + " (") << node.Key;
      EXPECT_EQ(node.Checked, i == 0) << node.Key;
      EXPECT_EQ(node.Expanded, i == 0) << node.Key;
      if (i == 0) {
        EXPECT_EQ(node.Key, c.country);
        EXPECT_EQ(node.Parent, kNoNode);
        EXPECT_EQ(node.ParentKey, "");
        continue;
      }
      ASSERT_NE(node.Parent, kNoNode) << node.Key;
      const RegionNode& parent = tree.Nodes()[static_cast<size_t>(node.Parent)];
      EXPECT_EQ(parent.Key, node.ParentKey);
      EXPECT_EQ(node.Key, parent.Key + "|" + std::string(leaf));
      EXPECT_EQ(parent.Depth + 1, node.Depth);
      const auto& siblings = parent.Children;
      EXPECT_NE(std::find(siblings.begin(), siblings.end(), static_cast<NodeIndex>(i)),
                siblings.end())
          << node.Key;
    }
    EXPECT_EQ(by_depth, c.by_depth);
  }
}

TEST(RegionTreeTest, NamesThatAreNoCountryGiveAnEmptyTree) {
  const clsLangSetter texts = Texts(kEnglish);
  // Nothing selected; a prefix of a country; a different case; a trailing separator.
  for (const char* country : {"", "Deutsch", "deutschland", "Schweiz|", "Atlantis"}) {
    EXPECT_TRUE(RegionTree::Build(country, engine::kHostOutlook, texts).empty()) << country;
  }
}

TEST(RegionTreeTest, FindComparesKeysExactly) {
  const RegionTree tree = RegionTree::Build("Schweiz", engine::kHostOutlook, Texts(kEnglish));
  const NodeIndex district = tree.Find("Schweiz|Aargau|Aarau");
  const NodeIndex town = tree.Find("Schweiz|Aargau|Aarau|Aarau");
  ASSERT_NE(district, kNoNode);
  ASSERT_NE(town, kNoNode);
  EXPECT_NE(district, town);
  EXPECT_EQ(tree.Nodes()[static_cast<size_t>(town)].Parent, district);
  for (const char* key : {"schweiz", "Schweiz |Aargau", "Aargau", "Schweiz|Aargau|", ""})
    EXPECT_EQ(tree.Find(key), kNoNode) << key;
}

// A user's clicks on the check boxes and the ticks they leave, keys in node order.
struct Click {
  const char* key;
  bool checked;
};
struct TickCase {
  const char* name;
  const char* country;
  std::vector<Click> clicks;
  std::vector<std::string> ticked;
};

TEST(RegionTreeTest, TickRulesKeepEveryTickedNodesAncestorsTicked) {
  const char* const kTown = "Deutschland|Bayern|Schwaben|Augsburg (Stadt)";
  const TickCase cases[] = {
      {"choosing the country ticks it alone", "Deutschland", {}, {"Deutschland"}},
      {"a town ticks its district, state and country",
       "Deutschland",
       {{kTown, true}},
       {"Deutschland", "Deutschland|Bayern", "Deutschland|Bayern|Schwaben", kTown}},
      {"unticking the state unticks district and town, not the country",
       "Deutschland",
       {{kTown, true}, {"Deutschland|Bayern", false}},
       {"Deutschland"}},
      {"a ticked node leaves its children alone",
       "Deutschland",
       {{"Deutschland|Bayern", true}},
       {"Deutschland", "Deutschland|Bayern"}},
      {"unticking a town leaves its ancestors ticked",
       "Deutschland",
       {{kTown, true}, {kTown, false}},
       {"Deutschland", "Deutschland|Bayern", "Deutschland|Bayern|Schwaben"}},
      {"unticking the country unticks everything",
       "Deutschland",
       {{kTown, true}, {"Deutschland|Sachsen", true}, {"Deutschland", false}},
       {}},
      {"ticks come out in node order, not click order",
       "Schweiz",
       {{"Schweiz|Zug|Zug", true}, {"Schweiz|Aargau|Baden|Wettingen", true}},
       {"Schweiz", "Schweiz|Aargau", "Schweiz|Aargau|Baden", "Schweiz|Aargau|Baden|Wettingen",
        "Schweiz|Zug", "Schweiz|Zug|Zug"}},
      {"a district and its namesake town are separate nodes",
       "Schweiz",
       {{"Schweiz|Aargau|Aarau|Aarau", true}, {"Schweiz|Aargau|Aarau|Aarau", false}},
       {"Schweiz", "Schweiz|Aargau", "Schweiz|Aargau|Aarau"}},
      {"re-ticking a node after the country was unticked brings the country back",
       "Schweiz",
       {{"Schweiz", false}, {"Schweiz|Bern", true}},
       {"Schweiz", "Schweiz|Bern"}},
  };
  const clsLangSetter texts = Texts(kEnglish);
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.name);
    RegionTree tree = RegionTree::Build(c.country, engine::kHostOutlook, texts);
    for (const Click& click : c.clicks) {
      const NodeIndex node = tree.Find(click.key);
      ASSERT_NE(node, kNoNode) << click.key;
      tree.NodeCheck(node, click.checked);
    }
    EXPECT_EQ(tree.TickedKeys(), c.ticked);
  }
}

TEST(RegionTreeTest, SelectAllAndNoneReachEveryNode) {
  RegionTree tree = RegionTree::Build("Schweiz", engine::kHostOutlook, Texts(kEnglish));
  tree.SelectAll();
  std::vector<std::string> all;
  for (const RegionNode& node : tree.Nodes())
    all.push_back(node.Key);
  EXPECT_EQ(tree.TickedKeys(), all);
  EXPECT_EQ(all.size(), 314u);

  tree.SelectNone();
  EXPECT_TRUE(tree.TickedKeys().empty());

  // An index outside the tree is ignored, whatever the state asked for.
  for (const NodeIndex outside : {kNoNode, static_cast<NodeIndex>(all.size()), 100000}) {
    tree.NodeCheck(outside, true);
    tree.UncheckSubtree(outside);
  }
  EXPECT_TRUE(tree.TickedKeys().empty());
}

}  // namespace
}  // namespace feriant::dialog
