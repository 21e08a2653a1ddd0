#pragma once
// Input into the standard controls that hold items or values of their own: what a
// person does to a list, a tree, a spin button or a text box's selection (clicks, mouse
// buttons and typed text are the rest of ui::input, core/input.h). As there, input
// reaches a control only while it is shown and enabled; otherwise nothing changes and the
// call answers an invalid-procedure-call error. Every call keeps the control alive until
// it returns, so that handlers may unload the form. The user-interface thread only.

#include "platform/base/result.h"
#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"

namespace feriant::ui::input {

// Picks entry `index` of a drop-down list.
Status ChooseItem(ComboBox& combo, int index);
// A click on entry `index` of a list box, with shift::* bits; moving to it with the
// keyboard; a click on its check box; scrolling to `top_index`. (A double click is
// input::DblClick, after the click on the entry.)
Status ClickItem(ListBox& list, int index, int shift_state = 0);
Status MoveToItem(ListBox& list, int index, int shift_state = 0);
Status ToggleItemCheck(ListBox& list, int index);
Status ScrollList(ListBox& list, int top_index);
// Ticks or unticks a node's check box; selects a node; expands or collapses it.
Status CheckNode(TreeNode& node, bool checked);
Status SelectNode(TreeNode& node);
Status ExpandNode(TreeNode& node, bool expanded);
// Presses the up (+1) or down (-1) arrow of a spin button.
Status Spin(UpDown& spin, int direction);
// Selects `length` characters from `start` in a text box (the caret when 0).
Status SelectText(TextBox& text_box, int start, int length);

}  // namespace feriant::ui::input
