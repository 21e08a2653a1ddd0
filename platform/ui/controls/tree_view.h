#pragma once
// TreeView: a tree of nodes, each with a Key (unique in the tree, or none), a Text, a
// check box while Checkboxes is set, and an Expanded state.
//
// Nodes.Add(Relative, Relationship, Key, Text) places a new node: without a relative at
// the end of the top level; with one as its first or last sibling (tvwFirst 0, tvwLast
// 1), right after or before it (tvwNext 2, the default, tvwPrevious 3), or as its last
// child (tvwChild 4). A key in use is refused ("Key is not unique in collection") and so
// is a relative that is not a node of this tree ("Element not found"); keys compare
// exactly. Nodes(i) and Node.Index count from 1 in the order the nodes were added,
// renumbered after a removal; Nodes(key) finds a node by its key.
//
// Events: NodeCheck(node) when the person ticks or unticks a node, and never for a tick
// set by code (Node.Checked), so that a handler that sets ticks is not called again;
// NodeClick(node) when the person selects a node (SelectedItem set by code raises none);
// Expand and Collapse whenever a node's Expanded state changes, by the person or by code.
//
// Removing a node removes its subtree. A removed node that is still held keeps its key,
// text and states but belongs to no tree (Parent, Child, Next, ... are Nothing; Index 0).
// Each change of a node reaches the renderer as an item change of that node (inserted,
// removed, changed; cleared for Clear), so that a renderer's tree keeps its expansion and
// scroll position. The tree owns its nodes and its Nodes collection. The user-interface
// thread only.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/event.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

namespace tree_relationship {
inline constexpr int kFirst = 0;
inline constexpr int kLast = 1;
inline constexpr int kNext = 2;
inline constexpr int kPrevious = 3;
inline constexpr int kChild = 4;
}  // namespace tree_relationship

class TreeView;

class TreeNode final : public automation::DispatchObject<TreeNode> {
  struct Token {};

 public:
  TreeNode(Token, std::string key, std::string text);
  static const automation::Members<TreeNode>& Interface();
  std::string TypeName() const override { return "Node"; }

  const std::string& Key() const { return key_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  bool Checked() const { return checked_; }
  // A tick set by code: no NodeCheck.
  void SetChecked(bool checked);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool expanded);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  bool Selected() const;

  // The tree it belongs to; nullptr once removed.
  TreeView* Tree() const { return tree_; }
  TreeNode* Parent() const { return parent_; }
  const std::vector<TreeNode*>& ChildNodes() const { return children_; }
  TreeNode* Child() const { return children_.empty() ? nullptr : children_.front(); }
  TreeNode* Next() const;
  TreeNode* Previous() const;
  TreeNode* FirstSibling() const;
  TreeNode* LastSibling() const;
  TreeNode* Root() const;
  int Children() const { return static_cast<int>(children_.size()); }
  // 1-based, in the order of addition; 0 once removed.
  int Index() const { return index_; }
  // The position among its siblings, 0-based; -1 once removed.
  int SiblingPosition() const;
  // The texts from the top-level node down to this one, joined by "\".
  std::string FullPath() const;

 private:
  friend class TreeView;
  // The list this node stands in: its parent's children or the tree's top level.
  const std::vector<TreeNode*>* Siblings() const;

  TreeView* tree_ = nullptr;
  TreeNode* parent_ = nullptr;
  std::vector<TreeNode*> children_;
  std::string key_;
  std::string text_;
  std::string tag_;
  bool checked_ = false;
  bool expanded_ = false;
  int index_ = 0;
};

// The Nodes collection of a tree: Add, Item (the default member, by index or key), Count,
// Remove, Clear and enumeration. It answers "Object was unloaded" once its tree is gone.
class TreeNodes final : public automation::DispatchObject<TreeNodes> {
  struct Token {};

 public:
  TreeNodes(Token, TreeView& tree) : tree_(&tree) {}
  static const automation::Members<TreeNodes>& Interface();
  std::string TypeName() const override { return "Nodes"; }
  // The tree, or "Object was unloaded" once it is gone.
  Result<TreeView*> Live() const;

 private:
  friend class TreeView;

  TreeView* tree_;
};

class TreeView final : public ControlImpl<TreeView> {
 public:
  TreeView();
  ~TreeView() override;
  static const automation::Members<TreeView>& Interface();
  std::string ClassName() const override { return "TreeView"; }
  bool CanFocus() const override { return true; }

  // Nodes. `relative` nullptr: a top-level node at the end.
  Result<TreeNode*> Add(TreeNode* relative, int relationship, std::string key, std::string text);
  // The node keyed `key`; nullptr when none (an empty key finds none).
  TreeNode* Find(std::string_view key) const;
  // The node with Index `index` (1-based); nullptr outside.
  TreeNode* NodeAt(int index) const;
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  const std::vector<TreeNode*>& Roots() const { return roots_; }
  Status Remove(TreeNode& node);
  void Clear();
  const std::shared_ptr<TreeNodes>& Nodes() const { return collection_; }

  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool value);
  TreeNode* SelectedItem() const { return selected_; }
  // nullptr or a node of this tree; no NodeClick.
  Status SetSelectedItem(TreeNode* node);
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // What the person does (through ui::input): ticks or unticks a node, selects it,
  // expands or collapses it.
  void UserCheck(TreeNode& node, bool checked);
  void UserSelect(TreeNode& node);
  void UserExpand(TreeNode& node, bool expanded);

  using NodeEvent = Event<TreeNode&>;
  NodeEvent& NodeCheck() { return node_check_; }
  NodeEvent& NodeClick() { return node_click_; }
  NodeEvent& Expand() { return expand_; }
  NodeEvent& Collapse() { return collapse_; }

 protected:
  void OnAttached() override;

 private:
  friend class TreeNode;

  bool Owns(const TreeNode* node) const { return node != nullptr && node->tree_ == this; }
  void NodeChanged(TreeNode& node);
  void ExpandedChanged(TreeNode& node);
  // Raises `event` with `node`, keeping both alive for the handlers.
  void RaiseNodeEvent(const NodeEvent& event, TreeNode& node);
  // Detaches `node` and its subtree; they leave nodes_ at the caller's next Renumber().
  void Detach(TreeNode& node);
  void Renumber();

  std::vector<std::shared_ptr<TreeNode>> nodes_;  // in Index order
  std::vector<TreeNode*> roots_;
  std::unordered_map<std::string, TreeNode*> by_key_;
  std::shared_ptr<TreeNodes> collection_;
  TreeNode* selected_ = nullptr;
  bool checkboxes_ = false;
  FontSlot font_;
  NodeEvent node_check_;
  NodeEvent node_click_;
  NodeEvent expand_;
  NodeEvent collapse_;
};

}  // namespace feriant::ui
