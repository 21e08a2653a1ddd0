#include "platform/ui/controls/tree_view.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/controls/keyed_collection.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

namespace {

using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

Variant NodeRef(TreeNode* node) {
  if (node == nullptr) return Variant(automation::ObjectRef());
  return Variant(node->shared_from_this());
}

// A node named by an argument: a key (text) or an Index (number); Missing and Empty name
// none. An argument that names no node of `tree` is "Element not found".
Result<TreeNode*> NodeOf(const TreeView& tree, const Variant& which) {
  if (which.IsMissing() || which.IsEmpty()) return static_cast<TreeNode*>(nullptr);
  TreeNode* node = nullptr;
  if (const std::string* key = which.AsString()) {
    node = tree.Find(*key);
  } else if (auto object = which.AsObject()) {
    auto* candidate = dynamic_cast<TreeNode*>(object.get());
    if (candidate != nullptr && candidate->Tree() == &tree) node = candidate;
  } else {
    auto index = which.ToI4();
    if (!index) return index.error();
    node = tree.NodeAt(*index);
  }
  if (node == nullptr) return MakeUiError(ui_error::kElementNotFound);
  return node;
}

// The same, where an argument must name a node.
Result<TreeNode*> NamedNode(const TreeView& tree, const Variant& which) {
  auto node = NodeOf(tree, which);
  if (node && *node == nullptr) return MakeUiError(ui_error::kElementNotFound);
  return node;
}

}  // namespace

// ---------------------------------------------------------------------------- TreeNode

TreeNode::TreeNode(Token, std::string key, std::string text)
    : key_(std::move(key)), text_(std::move(text)) {}

const Members<TreeNode>& TreeNode::Interface() {
  static const Members<TreeNode> members = [] {
    Members<TreeNode> m;
    using members::Getter;
    using members::Setter;
    using T = TreeNode;
    auto node_getter = [](TreeNode* (TreeNode::*fn)() const) {
      return [fn](T& n, Args) -> Result<Variant> { return NodeRef((n.*fn)()); };
    };
    m.Get("Text", dispid::kValue, Getter<T>(&T::Text))
        .Put("Text", dispid::kValue,
             Setter<T, std::string>([](T& n, std::string v) { n.SetText(std::move(v)); }))
        .Get("Key", dispid::kKey, Getter<T>(&T::Key))
        .Get("Checked", dispid::kChecked, Getter<T>(&T::Checked))
        .Put("Checked", dispid::kChecked, Setter<T, bool>(&T::SetChecked))
        .Get("Expanded", dispid::kExpanded, Getter<T>(&T::Expanded))
        .Put("Expanded", dispid::kExpanded, Setter<T, bool>(&T::SetExpanded))
        .Get("Selected", dispid::kSelected, Getter<T>(&T::Selected))
        .Put("Selected", dispid::kSelected,
             [](T& n, Args a) -> Status {
               auto value = a.back().ToBool();
               if (!value) return value.error();
               if (n.Tree() == nullptr) return MakeUiError(ui_error::kElementNotFound);
               if (*value) return n.Tree()->SetSelectedItem(&n);
               if (n.Selected()) return n.Tree()->SetSelectedItem(nullptr);
               return Ok();
             })
        .Get("Tag", dispid::kTag, Getter<T>(&T::Tag))
        .Put("Tag", dispid::kTag,
             Setter<T, std::string>([](T& n, std::string v) { n.SetTag(std::move(v)); }))
        .Get("Parent", dispid::kParent, node_getter(&T::Parent))
        .Get("Child", dispid::kChild, node_getter(&T::Child))
        .Get("Next", dispid::kNext, node_getter(&T::Next))
        .Get("Previous", dispid::kPrevious, node_getter(&T::Previous))
        .Get("FirstSibling", dispid::kFirstSibling, node_getter(&T::FirstSibling))
        .Get("LastSibling", dispid::kLastSibling, node_getter(&T::LastSibling))
        .Get("Root", dispid::kRoot, node_getter(&T::Root))
        .Get("Children", dispid::kChildren, Getter<T>(&T::Children))
        .Get("Index", dispid::kIndex, Getter<T>(&T::Index))
        .Get("FullPath", dispid::kFullPath, Getter<T>(&T::FullPath));
    return m;
  }();
  return members;
}

void TreeNode::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (tree_ != nullptr) tree_->NodeChanged(*this);
}

void TreeNode::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (tree_ != nullptr) tree_->NodeChanged(*this);
}

void TreeNode::SetExpanded(bool expanded) {
  if (expanded == expanded_) return;
  expanded_ = expanded;
  if (tree_ != nullptr) tree_->ExpandedChanged(*this);
}

bool TreeNode::Selected() const {
  return tree_ != nullptr && tree_->selected_ == this;
}

const std::vector<TreeNode*>* TreeNode::Siblings() const {
  if (tree_ == nullptr) return nullptr;
  return parent_ != nullptr ? &parent_->children_ : &tree_->roots_;
}

int TreeNode::SiblingPosition() const {
  const std::vector<TreeNode*>* siblings = Siblings();
  if (siblings == nullptr) return -1;
  return static_cast<int>(std::find(siblings->begin(), siblings->end(), this) - siblings->begin());
}

TreeNode* TreeNode::Next() const {
  const std::vector<TreeNode*>* siblings = Siblings();
  if (siblings == nullptr) return nullptr;
  const size_t next = static_cast<size_t>(SiblingPosition()) + 1;
  return next < siblings->size() ? (*siblings)[next] : nullptr;
}

TreeNode* TreeNode::Previous() const {
  const int position = SiblingPosition();
  return position > 0 ? (*Siblings())[static_cast<size_t>(position) - 1] : nullptr;
}

TreeNode* TreeNode::FirstSibling() const {
  const std::vector<TreeNode*>* siblings = Siblings();
  return siblings != nullptr ? siblings->front() : nullptr;
}

TreeNode* TreeNode::LastSibling() const {
  const std::vector<TreeNode*>* siblings = Siblings();
  return siblings != nullptr ? siblings->back() : nullptr;
}

TreeNode* TreeNode::Root() const {
  if (tree_ == nullptr) return nullptr;
  const TreeNode* node = this;
  while (node->parent_ != nullptr)
    node = node->parent_;
  return const_cast<TreeNode*>(node);
}

std::string TreeNode::FullPath() const {
  std::string path = text_;
  for (const TreeNode* node = parent_; node != nullptr; node = node->parent_)
    path = node->text_ + "\\" + path;
  return path;
}

// --------------------------------------------------------------------------- TreeNodes

Result<TreeView*> TreeNodes::Live() const {
  if (tree_ == nullptr) return MakeUiError(ui_error::kObjectUnloaded, "the tree is gone");
  return tree_;
}

const Members<TreeNodes>& TreeNodes::Interface() {
  static const Members<TreeNodes> members = [] {
    Members<TreeNodes> m;
    using T = TreeNodes;
    members::AddCollectionMembers(m, &NamedNode, &TreeView::NodeCount, &TreeView::NodeAt);
    m.Method("Add", dispid::kAdd, [](T& c, Args args, Named named) -> Result<Variant> {
      auto tree = c.Live();
      if (!tree) return tree.error();
      auto relative = NodeOf(**tree, automation::ArgumentOf(args, named, "Relative", 0));
      if (!relative) return relative.error();
      int relationship = *relative != nullptr ? tree_relationship::kNext : tree_relationship::kLast;
      Variant how = automation::ArgumentOf(args, named, "Relationship", 1);
      if (!how.IsMissing() && !how.IsEmpty()) {
        auto value = how.ToI4();
        if (!value) return value.error();
        relationship = *value;
      }
      std::string texts[2];
      const char* const kNames[2] = {"Key", "Text"};
      for (size_t i = 0; i < 2; ++i) {
        Variant arg = automation::ArgumentOf(args, named, kNames[i], i + 2);
        if (arg.IsMissing()) continue;
        auto text = arg.ToString();
        if (!text) return text.error();
        texts[i] = std::move(*text);
      }
      auto node = (*tree)->Add(*relative, relationship, std::move(texts[0]), std::move(texts[1]));
      if (!node) return node.error();
      return NodeRef(*node);
    });
    return m;
  }();
  return members;
}

// ---------------------------------------------------------------------------- TreeView

TreeView::TreeView()
    : ControlImpl(/*windowed=*/true),
      collection_(std::make_shared<TreeNodes>(TreeNodes::Token{}, *this)),
      font_([this] { NotifyChanged("Font"); }) {}

TreeView::~TreeView() {
  collection_->tree_ = nullptr;
  for (const auto& node : nodes_) {
    node->tree_ = nullptr;
    node->parent_ = nullptr;
    node->children_.clear();
    node->index_ = 0;
  }
}

const Members<TreeView>& TreeView::Interface() {
  static const Members<TreeView> members = [] {
    Members<TreeView> m;
    using members::Getter;
    using members::Setter;
    using T = TreeView;
    members::AddCommonMembers(m);
    m.Get("Nodes", dispid::kNodes, Getter<T>([](T& t) { return t.Nodes(); }))
        .Get("Checkboxes", dispid::kCheckboxes, Getter<T>(&T::Checkboxes))
        .Put("Checkboxes", dispid::kCheckboxes, Setter<T, bool>(&T::SetCheckboxes))
        .Get("SelectedItem", dispid::kSelectedItem,
             [](T& t, Args) -> Result<Variant> { return NodeRef(t.SelectedItem()); })
        .PutRef("SelectedItem", dispid::kSelectedItem,
                [](T& t, Args a) -> Status {
                  auto node = NodeOf(t, a.back());
                  if (!node) return node.error();
                  return t.SetSelectedItem(*node);
                })
        .Get("Font", dispid::kFont, Getter<T>(&T::Font))
        .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>(&T::SetFont));
    return m;
  }();
  return members;
}

Result<TreeNode*> TreeView::Add(TreeNode* relative, int relationship, std::string key,
                                std::string text) {
  using namespace tree_relationship;
  if (relationship < kFirst || relationship > kChild)
    return MakeUiError(ui_error::kInvalidProcedureCall,
                       "relationship " + std::to_string(relationship));
  if (relative != nullptr && !Owns(relative)) return MakeUiError(ui_error::kElementNotFound);
  if (!key.empty() && by_key_.contains(key)) return MakeUiError(ui_error::kKeyNotUnique, key);

  TreeNode* parent = nullptr;
  std::vector<TreeNode*>* siblings = &roots_;
  size_t position = roots_.size();
  if (relative != nullptr) {
    if (relationship == kChild) {
      parent = relative;
      siblings = &relative->children_;
      position = siblings->size();
    } else {
      parent = relative->parent_;
      siblings = parent != nullptr ? &parent->children_ : &roots_;
      const auto at = static_cast<size_t>(relative->SiblingPosition());
      position = relationship == kFirst  ? 0
                 : relationship == kLast ? siblings->size()
                 : relationship == kNext ? at + 1
                                         : at;
    }
  }
  auto node = std::make_shared<TreeNode>(TreeNode::Token{}, std::move(key), std::move(text));
  node->tree_ = this;
  node->parent_ = parent;
  siblings->insert(siblings->begin() + static_cast<std::ptrdiff_t>(position), node.get());
  nodes_.push_back(node);
  node->index_ = static_cast<int>(nodes_.size());
  if (!node->key_.empty()) by_key_.emplace(node->key_, node.get());
  NotifyItems(ItemChange{ItemChange::Kind::kInserted, -1, node});
  return node.get();
}

TreeNode* TreeView::Find(std::string_view key) const {
  if (key.empty()) return nullptr;
  auto it = by_key_.find(std::string(key));
  return it != by_key_.end() ? it->second : nullptr;
}

TreeNode* TreeView::NodeAt(int index) const {
  if (index < 1 || index > NodeCount()) return nullptr;
  return nodes_[static_cast<size_t>(index) - 1].get();
}

void TreeView::Detach(TreeNode& node) {
  for (TreeNode* child : node.children_)
    Detach(*child);
  if (selected_ == &node) selected_ = nullptr;
  if (!node.key_.empty()) by_key_.erase(node.key_);
  node.tree_ = nullptr;
  node.parent_ = nullptr;
  node.children_.clear();
  node.index_ = 0;
}

void TreeView::Renumber() {
  std::erase_if(nodes_, [](const auto& node) { return node->tree_ == nullptr; });
  for (size_t i = 0; i < nodes_.size(); ++i)
    nodes_[i]->index_ = static_cast<int>(i) + 1;
}

Status TreeView::Remove(TreeNode& node) {
  if (!Owns(&node)) return MakeUiError(ui_error::kElementNotFound);
  std::shared_ptr<TreeNode> hold(node.shared_from_this(), &node);
  std::vector<TreeNode*>& siblings = node.parent_ != nullptr ? node.parent_->children_ : roots_;
  siblings.erase(std::find(siblings.begin(), siblings.end(), &node));
  const TreeNode* was_selected = selected_;
  Detach(node);
  Renumber();
  NotifyItems(ItemChange{ItemChange::Kind::kRemoved, -1, hold});
  if (selected_ != was_selected) NotifyChanged("SelectedItem");
  return Ok();
}

void TreeView::Clear() {
  const bool had_selection = selected_ != nullptr;
  // The nodes stay alive until the renderer has heard of the change.
  const std::vector<std::shared_ptr<TreeNode>> old = std::move(nodes_);
  nodes_.clear();
  for (const auto& node : old) {
    node->tree_ = nullptr;
    node->parent_ = nullptr;
    node->children_.clear();
    node->index_ = 0;
  }
  roots_.clear();
  by_key_.clear();
  selected_ = nullptr;
  NotifyItems(ItemChange{ItemChange::Kind::kCleared, -1, nullptr});
  if (had_selection) NotifyChanged("SelectedItem");
}

void TreeView::SetCheckboxes(bool value) {
  if (value == checkboxes_) return;
  checkboxes_ = value;
  NotifyChanged("Checkboxes");
}

Status TreeView::SetSelectedItem(TreeNode* node) {
  if (node != nullptr && !Owns(node)) return MakeUiError(ui_error::kElementNotFound);
  if (node == selected_) return Ok();
  selected_ = node;
  NotifyChanged("SelectedItem");
  return Ok();
}

void TreeView::UserCheck(TreeNode& node, bool checked) {
  if (!Owns(&node) || !checkboxes_ || node.checked_ == checked) return;
  node.checked_ = checked;
  NodeChanged(node);
  RaiseNodeEvent(node_check_, node);
}

void TreeView::UserSelect(TreeNode& node) {
  if (!Owns(&node)) return;
  (void)SetSelectedItem(&node);
  RaiseNodeEvent(node_click_, node);
}

void TreeView::UserExpand(TreeNode& node, bool expanded) {
  if (Owns(&node)) node.SetExpanded(expanded);
}

void TreeView::NodeChanged(TreeNode& node) {
  NotifyItems(ItemChange{ItemChange::Kind::kChanged, -1,
                         std::shared_ptr<TreeNode>(node.shared_from_this(), &node)});
}

void TreeView::ExpandedChanged(TreeNode& node) {
  NodeChanged(node);
  RaiseNodeEvent(node.expanded_ ? expand_ : collapse_, node);
}

void TreeView::RaiseNodeEvent(const NodeEvent& event, TreeNode& node) {
  auto keep = KeepAlive();
  std::shared_ptr<automation::Dispatch> hold = node.shared_from_this();
  event.Raise(node);
}

void TreeView::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
