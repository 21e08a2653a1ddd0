#include "platform/ui/controls/standard_input.h"

#include <functional>

#include "platform/ui/common/errors.h"

namespace feriant::ui::input {
namespace {

// Runs `act` when `control` takes input now.
Status Deliver(Control& control, const std::function<void()>& act) {
  auto keep = control.weak_from_this().lock();
  if (!control.IsShown() || !control.IsEnabledForInput()) {
    return MakeUiError(ui_error::kInvalidProcedureCall,
                       control.Name() + " is hidden or disabled and takes no input");
  }
  act();
  return Ok();
}

// The tree of a node, as input reaches it.
Status DeliverToNode(TreeNode& node, const std::function<void(TreeView&)>& act) {
  TreeView* tree = node.Tree();
  if (tree == nullptr)
    return MakeUiError(ui_error::kInvalidProcedureCall, "the node belongs to no tree");
  return Deliver(*tree, [&] { act(*tree); });
}

}  // namespace

Status ChooseItem(ComboBox& combo, int index) {
  if (index < 0 || index >= combo.ListCount())
    return MakeUiError(ui_error::kInvalidProcedureCall, "no entry " + std::to_string(index));
  return Deliver(combo, [&] { (void)combo.SetListIndex(index); });
}

Status ClickItem(ListBox& list, int index, int shift_state) {
  return Deliver(list, [&] { list.UserClick(index, shift_state); });
}

Status MoveToItem(ListBox& list, int index, int shift_state) {
  return Deliver(list, [&] { list.UserMoveTo(index, shift_state); });
}

Status ToggleItemCheck(ListBox& list, int index) {
  return Deliver(list, [&] { list.UserToggleCheck(index); });
}

Status ScrollList(ListBox& list, int top_index) {
  return Deliver(list, [&] { list.UserScroll(top_index); });
}

Status CheckNode(TreeNode& node, bool checked) {
  return DeliverToNode(node, [&](TreeView& tree) { tree.UserCheck(node, checked); });
}

Status SelectNode(TreeNode& node) {
  return DeliverToNode(node, [&](TreeView& tree) { tree.UserSelect(node); });
}

Status ExpandNode(TreeNode& node, bool expanded) {
  return DeliverToNode(node, [&](TreeView& tree) { tree.UserExpand(node, expanded); });
}

Status Spin(UpDown& spin, int direction) {
  return Deliver(spin, [&] { spin.UserSpin(direction); });
}

Status SelectText(TextBox& text_box, int start, int length) {
  return Deliver(text_box, [&] { text_box.UserSelect(start, length); });
}

}  // namespace feriant::ui::input
