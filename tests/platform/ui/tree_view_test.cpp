// Tree views: placing nodes, keys, removal, and the events of ticks, selection and
// expansion by the person and by code.

#include "platform/ui/controls/tree_view.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/standard_input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using namespace tree_relationship;

class TreeViewTest : public testing::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    tree_ = &form_->Add<TreeView>("trvRegions");
    tree_->SetCheckboxes(true);
  }
  TreeNode& Add(const char* parent_key, const char* key) {
    TreeNode* parent = parent_key != nullptr ? tree_->Find(parent_key) : nullptr;
    auto node = tree_->Add(parent, parent != nullptr ? kChild : kLast, key, key);
    EXPECT_TRUE(node) << key;
    return **node;
  }
  // The keys in display order, depth first, children in brackets.
  static std::string Shape(const std::vector<TreeNode*>& nodes) {
    std::string shape;
    for (const TreeNode* node : nodes) {
      if (!shape.empty()) shape += ' ';
      shape += node->Key();
      if (!node->ChildNodes().empty()) shape += "[" + Shape(node->ChildNodes()) + "]";
    }
    return shape;
  }
  std::string Ticked() const {
    std::string ticked;
    for (int i = 1; i <= tree_->NodeCount(); ++i) {
      if (tree_->NodeAt(i)->Checked()) ticked += tree_->NodeAt(i)->Key() + " ";
    }
    return ticked;
  }
  TreeView* tree_ = nullptr;
};

TEST_F(TreeViewTest, OnlyThePersonsTicksRaiseNodeCheck) {
  Add(nullptr, "CH");
  Add("CH", "AG");
  Add("AG", "Baden");
  Add("CH", "BE");
  // The tick rules of a region tree, applied by the handler with ticks set by code.
  std::vector<std::string> events;
  std::function<void(TreeNode&)> untick = [&](TreeNode& node) {
    node.SetChecked(false);
    for (TreeNode* child = node.Child(); child != nullptr; child = child->Next())
      untick(*child);
  };
  tree_->NodeCheck().Connect([&](TreeNode& node) {
    events.push_back(node.Key() + (node.Checked() ? "+" : "-"));
    if (node.Checked()) {
      for (TreeNode* up = node.Parent(); up != nullptr; up = up->Parent())
        up->SetChecked(true);
    } else {
      untick(node);
    }
  });

  tree_->Find("CH")->SetChecked(true);  // code: no event
  ASSERT_TRUE(input::CheckNode(*tree_->Find("Baden"), true));
  EXPECT_EQ(Ticked(), "CH AG Baden ");
  ASSERT_TRUE(input::CheckNode(*tree_->Find("AG"), false));
  EXPECT_EQ(Ticked(), "CH ");
  EXPECT_EQ(events, (std::vector<std::string>{"Baden+", "AG-"}));

  // A disabled tree, or one without check boxes, takes no ticks.
  tree_->SetEnabled(false);
  EXPECT_FALSE(input::CheckNode(*tree_->Find("BE"), true));
  tree_->SetEnabled(true);
  tree_->SetCheckboxes(false);
  ASSERT_TRUE(input::CheckNode(*tree_->Find("BE"), true));
  EXPECT_EQ(Ticked(), "CH ");
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(TreeViewTest, NodesGoWhereTheirRelationshipSaysAndKeysStayUnique) {
  Add(nullptr, "A");
  Add("A", "A1");
  struct Case {
    const char* relative;
    int relationship;
    const char* key;
    const char* shape;  // after the addition; "" when it is refused
    std::int32_t error;
  };
  const Case cases[] = {
      {nullptr, kLast, "B", "A[A1] B", 0},
      {"A1", kFirst, "A0", "A[A0 A1] B", 0},
      {"A0", kNext, "A05", "A[A0 A05 A1] B", 0},
      {"A", kPrevious, "Z", "Z A[A0 A05 A1] B", 0},
      {"A", kLast, "C", "Z A[A0 A05 A1] B C", 0},
      {"B", kChild, "B1", "Z A[A0 A05 A1] B[B1] C", 0},
      {"A", kChild, "B1", "", ui_error::kKeyNotUnique},
      {"nowhere", kChild, "X", "", ui_error::kElementNotFound},
      {"A", 5, "X", "", ui_error::kInvalidProcedureCall},
  };
  for (const Case& c : cases) {
    TreeNode* relative = nullptr;
    if (c.relative != nullptr) {
      relative = tree_->Find(c.relative);
      if (relative == nullptr) {
        // A node of another tree is no relative here.
        auto& other = form_->Add<TreeView>("trvOther");
        relative = *other.Add(nullptr, kLast, c.relative, "");
      }
    }
    const std::string before = Shape(tree_->Roots());
    auto added = tree_->Add(relative, c.relationship, c.key, c.key);
    if (c.error != 0) {
      ASSERT_FALSE(added) << c.key;
      EXPECT_EQ(added.error().code, c.error) << c.key;
      EXPECT_EQ(Shape(tree_->Roots()), before) << c.key;
    } else {
      ASSERT_TRUE(added) << c.key;
      EXPECT_EQ(Shape(tree_->Roots()), c.shape) << c.key;
    }
  }
  // Indexes count in the order of addition, late-bound as from C++.
  EXPECT_EQ(tree_->NodeAt(3)->Key(), "B");
  auto nodes = tree_->Get("Nodes");
  ASSERT_TRUE(nodes);
  auto by_index = nodes->AsObject()->Get(automation::kDispIdValue, {std::int32_t{3}});
  ASSERT_TRUE(by_index);
  EXPECT_EQ(*by_index->AsObject()->Get("FullPath"), automation::Variant("B"));
  auto by_key = nodes->AsObject()->Get(automation::kDispIdValue, {"A05"});
  EXPECT_EQ(*by_key->AsObject()->Get("FullPath"), automation::Variant("A\\A05"));
}

TEST_F(TreeViewTest, NodesAddedLateBoundTakeKeysAndRelativesByText) {
  auto nodes = tree_->Get("Nodes")->AsObject();
  ASSERT_TRUE(nodes->Call("Add", {automation::Variant::Missing(), automation::Variant::Missing(),
                                  "Deutschland", "Deutschland (12)"}));
  ASSERT_TRUE(nodes->Call(
      "Add", {"Deutschland", std::int32_t{kChild}, "Deutschland|Bayern", "Bayern (+1)"}));
  // A relative without a relationship: the next sibling.
  ASSERT_TRUE(nodes->Call("Add", {"Deutschland|Bayern", automation::Variant::Missing(),
                                  "Deutschland|Berlin", "Berlin"}));
  EXPECT_EQ(Shape(tree_->Roots()), "Deutschland[Deutschland|Bayern Deutschland|Berlin]");
  EXPECT_EQ(*nodes->Get("Count"), automation::Variant(std::int32_t{3}));
  EXPECT_FALSE(nodes->Get(automation::kDispIdValue, {"Hessen"}));
}

TEST_F(TreeViewTest, RemovingANodeTakesItsSubtreeAndLeavesItDetached) {
  TreeNode& de = Add(nullptr, "DE");
  Add("DE", "BY");
  TreeNode& munich = Add("BY", "M");
  Add("DE", "BE");
  ASSERT_TRUE(tree_->SetSelectedItem(&munich));
  // Held as a script would hold them.
  const std::shared_ptr<automation::Dispatch> held[] = {munich.shared_from_this(),
                                                        de.shared_from_this()};
  backend().RecordNotifications(true);
  ASSERT_TRUE(tree_->Remove(*tree_->Find("BY")));
  EXPECT_EQ(Shape(tree_->Roots()), "DE[BE]");
  EXPECT_EQ(tree_->NodeCount(), 2);
  EXPECT_EQ(tree_->Find("BE")->Index(), 2);
  EXPECT_EQ(tree_->Find("M"), nullptr);
  EXPECT_EQ(tree_->SelectedItem(), nullptr);
  EXPECT_EQ(munich.Tree(), nullptr);
  EXPECT_EQ(munich.Parent(), nullptr);
  EXPECT_EQ(munich.Index(), 0);
  EXPECT_EQ(tree_->Remove(munich).error().code, ui_error::kElementNotFound);
  // The key is free again.
  ASSERT_TRUE(tree_->Add(&de, kChild, "BY", "Bayern"));
  tree_->Clear();
  EXPECT_EQ(tree_->NodeCount(), 0);
  EXPECT_EQ(de.Tree(), nullptr);
  EXPECT_EQ(
      backend().Notifications(),
      (std::vector<std::string>{"items trvRegions removed BY", "changed trvRegions SelectedItem",
                                "items trvRegions inserted BY", "items trvRegions cleared"}));
}

TEST_F(TreeViewTest, SelectionAndExpansionRaiseTheirEvents) {
  TreeNode& ch = Add(nullptr, "CH");
  TreeNode& ag = Add("CH", "AG");
  std::vector<std::string> events;
  tree_->NodeClick().Connect([&](TreeNode& n) { events.push_back("click " + n.Key()); });
  tree_->Expand().Connect([&](TreeNode& n) { events.push_back("expand " + n.Key()); });
  tree_->Collapse().Connect([&](TreeNode& n) { events.push_back("collapse " + n.Key()); });
  ch.SetExpanded(true);                      // code raises Expand as well
  ASSERT_TRUE(tree_->SetSelectedItem(&ag));  // but selecting by code is quiet
  ASSERT_TRUE(input::SelectNode(ch));
  ASSERT_TRUE(input::ExpandNode(ch, false));
  ASSERT_TRUE(input::ExpandNode(ch, false));  // no change, no event
  EXPECT_EQ(events, (std::vector<std::string>{"expand CH", "click CH", "collapse CH"}));
  EXPECT_TRUE(ch.Selected());
  EXPECT_FALSE(ag.Selected());
}

}  // namespace
}  // namespace feriant::ui
