#include "platform/ui_qt/item_views.h"

#include <algorithm>

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include "platform/ui/controls/standard_input.h"
#include "platform/ui/core/input.h"
#include "platform/ui_qt/pixels.h"
#include "platform/ui_qt/text_metrics.h"

namespace feriant::ui_qt::internal {
namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

template <class T>
std::shared_ptr<T> Alive(const std::weak_ptr<automation::Dispatch>& weak, T* address) {
  std::shared_ptr<automation::Dispatch> alive = weak.lock();
  if (!alive) return nullptr;
  return std::shared_ptr<T>(std::move(alive), address);
}

// The colours and font of a list control on an item view or a combo box.
void ApplyListLook(QWidget& widget, const ui::ListControl& list) {
  const QFont wanted = ToQFont(list.Font()->Desc());
  if (widget.font() != wanted) widget.setFont(wanted);
  QPalette colours = widget.palette();
  colours.setColor(QPalette::Base, ToQColor(list.BackColor()));
  colours.setColor(QPalette::Text, ToQColor(list.ForeColor()));
  widget.setPalette(colours);
}

}  // namespace

// ---------------------------------------------------------------------- ListItemModel

ListItemModel::ListItemModel(const RenderContext& context, ui::ListControl& list, QObject* parent)
    : QAbstractListModel(parent),
      context_(context),
      list_(list.weak_from_this()),
      address_(&list),
      rows_(list.ListCount()) {}

std::shared_ptr<ui::ListControl> ListItemModel::List() const {
  return Alive(list_, address_);
}

void ListItemModel::ApplyChange(const ui::ItemChange& change) {
  using Kind = ui::ItemChange::Kind;
  switch (change.kind) {
    case Kind::kInserted:
      if (change.index < 0 || change.index > rows_) break;
      beginInsertRows(QModelIndex(), change.index, change.index);
      ++rows_;
      endInsertRows();
      return;
    case Kind::kRemoved:
      if (change.index < 0 || change.index >= rows_) break;
      beginRemoveRows(QModelIndex(), change.index, change.index);
      --rows_;
      endRemoveRows();
      return;
    case Kind::kChanged:
      if (change.index < 0 || change.index >= rows_) break;
      emit dataChanged(index(change.index), index(change.index));
      return;
    case Kind::kCleared:
      break;
  }
  // A clear, or a change that does not fit the rows known: start again from the control.
  beginResetModel();
  std::shared_ptr<ui::ListControl> list = List();
  rows_ = list ? list->ListCount() : 0;
  endResetModel();
}

int ListItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant ListItemModel::data(const QModelIndex& index, int role) const {
  std::shared_ptr<ui::ListControl> list = List();
  if (!list || !index.isValid()) return {};
  const int row = index.row();
  auto* box = dynamic_cast<ui::ListBox*>(list.get());
  switch (role) {
    case Qt::DisplayRole: {
      auto text = list->List(row);
      return text ? QVariant(ToQString(*text)) : QVariant();
    }
    case Qt::CheckStateRole: {
      if (box == nullptr || box->Style() != ui::list_style::kCheckbox) return {};
      auto ticked = box->Selected(row);
      if (!ticked) return {};
      return *ticked ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::SizeHintRole:
      // Whole rows as the model counts them.
      if (box == nullptr) return {};
      return QSize(-1, PixelsFromTwips(box->RowHeight(), context_.twips_per_pixel_y));
    default:
      return {};
  }
}

Qt::ItemFlags ListItemModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// ---------------------------------------------------------------------- TreeItemModel

TreeItemModel::TreeItemModel(ui::TreeView& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree.weak_from_this()), address_(&tree) {
  Rebuild();
}

std::shared_ptr<ui::TreeView> TreeItemModel::Tree() const {
  return Alive(tree_, address_);
}

void TreeItemModel::AddShadow(Shadow& parent, size_t row, ui::TreeNode& node) {
  auto shadow = std::make_unique<Shadow>();
  shadow->node = std::shared_ptr<ui::TreeNode>(node.shared_from_this(), &node);
  shadow->parent = &parent;
  Shadow& added = *shadow;
  parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(row),
                         std::move(shadow));
  shadows_[&node] = &added;
  for (ui::TreeNode* child : node.ChildNodes())
    AddShadow(added, added.children.size(), *child);
}

void TreeItemModel::Forget(Shadow& shadow) {
  for (const auto& child : shadow.children)
    Forget(*child);
  shadows_.erase(shadow.node.get());
}

void TreeItemModel::Rebuild() {
  root_.children.clear();
  shadows_.clear();
  std::shared_ptr<ui::TreeView> tree = Tree();
  if (!tree) return;
  for (ui::TreeNode* node : tree->Roots())
    AddShadow(root_, root_.children.size(), *node);
}

void TreeItemModel::ApplyChange(const ui::ItemChange& change) {
  using Kind = ui::ItemChange::Kind;
  auto* node = dynamic_cast<ui::TreeNode*>(change.item.get());
  switch (change.kind) {
    case Kind::kInserted: {
      if (node == nullptr || shadows_.contains(node)) break;
      Shadow* parent = &root_;
      if (node->Parent() != nullptr) {
        auto it = shadows_.find(node->Parent());
        if (it == shadows_.end()) break;
        parent = it->second;
      }
      const int row = node->SiblingPosition();
      if (row < 0 || static_cast<size_t>(row) > parent->children.size()) break;
      beginInsertRows(IndexOfShadow(parent), row, row);
      AddShadow(*parent, static_cast<size_t>(row), *node);
      endInsertRows();
      return;
    }
    case Kind::kRemoved: {
      auto it = node != nullptr ? shadows_.find(node) : shadows_.end();
      if (it == shadows_.end()) return;  // never shown here
      Shadow* shadow = it->second;
      Shadow* parent = shadow->parent;
      const int row = RowOf(*shadow);
      beginRemoveRows(IndexOfShadow(parent), row, row);
      Forget(*shadow);
      parent->children.erase(parent->children.begin() + row);
      endRemoveRows();
      return;
    }
    case Kind::kChanged: {
      const QModelIndex at = IndexOf(node);
      if (at.isValid()) emit dataChanged(at, at);
      return;
    }
    case Kind::kCleared:
      break;
  }
  // A clear, or a change that does not fit the shape known: start again from the tree.
  beginResetModel();
  Rebuild();
  endResetModel();
}

int TreeItemModel::RowOf(const Shadow& shadow) {
  const auto& siblings = shadow.parent->children;
  const auto it = std::find_if(siblings.begin(), siblings.end(),
                               [&](const auto& entry) { return entry.get() == &shadow; });
  return static_cast<int>(it - siblings.begin());
}

QModelIndex TreeItemModel::IndexOfShadow(const Shadow* shadow) const {
  if (shadow == nullptr || shadow == &root_) return QModelIndex();
  return createIndex(RowOf(*shadow), 0, const_cast<Shadow*>(shadow));
}

QModelIndex TreeItemModel::IndexOf(const ui::TreeNode* node) const {
  auto it = node != nullptr ? shadows_.find(node) : shadows_.end();
  return it != shadows_.end() ? IndexOfShadow(it->second) : QModelIndex();
}

const TreeItemModel::Shadow* TreeItemModel::ShadowAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<const Shadow*>(index.internalPointer()) : &root_;
}

ui::TreeNode* TreeItemModel::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? ShadowAt(index)->node.get() : nullptr;
}

QModelIndex TreeItemModel::index(int row, int column, const QModelIndex& parent) const {
  const Shadow* shadow = ShadowAt(parent);
  if (column != 0 || row < 0 || static_cast<size_t>(row) >= shadow->children.size()) return {};
  return createIndex(row, 0, shadow->children[static_cast<size_t>(row)].get());
}

QModelIndex TreeItemModel::parent(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  return IndexOfShadow(ShadowAt(index)->parent);
}

int TreeItemModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(ShadowAt(parent)->children.size());
}

int TreeItemModel::columnCount(const QModelIndex& /*parent*/) const {
  return 1;
}

QVariant TreeItemModel::data(const QModelIndex& index, int role) const {
  const ui::TreeNode* node = NodeAt(index);
  if (node == nullptr) return {};
  if (role == Qt::DisplayRole) return ToQString(node->Text());
  if (role == Qt::CheckStateRole) {
    std::shared_ptr<ui::TreeView> tree = Tree();
    if (!tree || !tree->Checkboxes()) return {};
    return node->Checked() ? Qt::Checked : Qt::Unchecked;
  }
  return {};
}

Qt::ItemFlags TreeItemModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  std::shared_ptr<ui::TreeView> tree = Tree();
  if (tree && tree->Checkboxes()) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool TreeItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  ui::TreeNode* node = NodeAt(index);
  if (node == nullptr || role != Qt::CheckStateRole || !Tree()) return false;
  // The tree tells this model of the tick (or of nothing, when it refused it).
  return ui::input::CheckNode(*node, value.toInt() == Qt::Checked).ok();
}

// --------------------------------------------------------------------- ComboBoxMirror

ComboBoxMirror::ComboBoxMirror(const RenderContext& context, ui::ComboBox& combo, QWidget* parent)
    : QComboBox(parent),
      Mirror(context, combo, *this),
      items_(new ListItemModel(context, combo, this)) {
  setModel(items_);
  setEditable(false);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int row) {
    if (applying_) return;
    if (std::shared_ptr<ui::Control> control = Model())
      (void)ui::input::ChooseItem(static_cast<ui::ComboBox&>(*control), row);
    // The control's choice, whatever Qt showed meanwhile.
    Apply();
  });
}

void ComboBoxMirror::ItemsChanged(const ui::ItemChange& change) {
  items_->ApplyChange(change);
  // Qt picks a current row of its own when the first rows arrive; the control's counts.
  Apply();
}

void ComboBoxMirror::ApplyOwn(ui::Control& control) {
  const auto& combo = static_cast<const ui::ComboBox&>(control);
  ApplyListLook(*this, combo);
  if (currentIndex() != combo.ListIndex()) {
    applying_ = true;
    setCurrentIndex(combo.ListIndex());
    applying_ = false;
  }
}

void ComboBoxMirror::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  ForwardFocus();
}

// ---------------------------------------------------------------------- ListBoxMirror

ListBoxMirror::ListBoxMirror(const RenderContext& context, ui::ListBox& list, QWidget* parent)
    : QListView(parent),
      Mirror(context, list, *this),
      items_(new ListItemModel(context, list, this)) {
  setModel(items_);
  // The selection is the control's: the view only shows it.
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Only the person's scrolling is news for the control; the value follows TopIndex.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int /*action*/) {
    if (applying_) return;
    if (std::shared_ptr<ui::ListBox> box = ListModel())
      (void)ui::input::ScrollList(*box, verticalScrollBar()->sliderPosition());
  });
}

std::shared_ptr<ui::ListBox> ListBoxMirror::ListModel() const {
  std::shared_ptr<ui::Control> control = Model();
  auto* list = static_cast<ui::ListBox*>(control.get());
  return std::shared_ptr<ui::ListBox>(std::move(control), list);
}

void ListBoxMirror::ShowSelection(const ui::ListBox& list, int row) {
  const QModelIndex at = items_->index(row);
  if (!at.isValid()) return;
  const bool shown = list.Style() == ui::list_style::kCheckbox ? row == list.ListIndex()
                                                               : list.Selected(row).value_or(false);
  if (selectionModel()->isSelected(at) == shown) return;
  selectionModel()->select(at, shown ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void ListBoxMirror::ItemsChanged(const ui::ItemChange& change) {
  items_->ApplyChange(change);
  std::shared_ptr<ui::ListBox> list = ListModel();
  if (!list) return;
  if (change.kind == ui::ItemChange::Kind::kChanged) {
    ShowSelection(*list, change.index);
  } else if (change.kind == ui::ItemChange::Kind::kCleared) {
    Apply();
  }
}

void ListBoxMirror::ApplyOwn(ui::Control& control) {
  const auto& list = static_cast<const ui::ListBox&>(control);
  applying_ = true;
  ApplyListLook(*this, list);
  // The selection in runs of selected rows.
  QItemSelection selection;
  const bool checkbox = list.Style() == ui::list_style::kCheckbox;
  for (int row = 0; row < list.ListCount(); ++row) {
    const bool shown = checkbox ? row == list.ListIndex() : list.Selected(row).value_or(false);
    if (!shown) continue;
    int last = row;
    while (!checkbox && last + 1 < list.ListCount() && list.Selected(last + 1).value_or(false))
      ++last;
    selection.select(items_->index(row), items_->index(last));
    row = last;
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  const QModelIndex current = items_->index(list.ListIndex());
  if (currentIndex() != current)
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  if (verticalScrollBar()->value() != list.TopIndex())
    verticalScrollBar()->setValue(list.TopIndex());
  applying_ = false;
  viewport()->update();
}

void ListBoxMirror::mousePressEvent(QMouseEvent* event) {
  event->accept();
  std::shared_ptr<ui::ListBox> list = ListModel();
  if (!list || event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  const QModelIndex index = indexAt(at);
  if (!index.isValid()) return;
  if (list->Style() == ui::list_style::kCheckbox) {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    if (box.contains(at)) {
      (void)ui::input::ToggleItemCheck(*list, index.row());
      return;
    }
  }
  (void)ui::input::ClickItem(*list, index.row(), ShiftStateOf(event->modifiers()));
}

void ListBoxMirror::mouseMoveEvent(QMouseEvent* event) {
  // No drag selection: the control selects by clicks.
  event->accept();
}

void ListBoxMirror::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

void ListBoxMirror::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  std::shared_ptr<ui::ListBox> list = ListModel();
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!list || event->button() != Qt::LeftButton || !index.isValid()) return;
  (void)ui::input::DblClick(*list);
}

void ListBoxMirror::keyPressEvent(QKeyEvent* event) {
  std::shared_ptr<ui::ListBox> list = ListModel();
  if (!list || list->ListCount() == 0) {
    event->ignore();
    return;
  }
  const int current = std::max(0, list->ListIndex());
  const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)) - 1);
  const int last = list->ListCount() - 1;
  int target = -1;
  switch (event->key()) {
    case Qt::Key_Up:
      target = list->ListIndex() < 0 ? 0 : std::max(0, current - 1);
      break;
    case Qt::Key_Down:
      target = list->ListIndex() < 0 ? 0 : std::min(last, current + 1);
      break;
    case Qt::Key_PageUp:
      target = std::max(0, current - page);
      break;
    case Qt::Key_PageDown:
      target = std::min(last, current + page);
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = last;
      break;
    case Qt::Key_Space:
      if (list->Style() == ui::list_style::kCheckbox) {
        (void)ui::input::ToggleItemCheck(*list, current);
      } else {
        (void)ui::input::ClickItem(*list, current, ui::shift::kCtrl);
      }
      event->accept();
      return;
    default:
      // Enter, Esc and the rest belong to the form.
      event->ignore();
      return;
  }
  (void)ui::input::MoveToItem(*list, target, ShiftStateOf(event->modifiers()));
  event->accept();
}

void ListBoxMirror::focusInEvent(QFocusEvent* event) {
  // Qt makes the first row current when a view without one takes the focus; the
  // control's current entry is what counts.
  QListView::focusInEvent(event);
  Apply();
  ForwardFocus();
}

// --------------------------------------------------------------------- TreeViewMirror

TreeViewMirror::TreeViewMirror(const RenderContext& context, ui::TreeView& tree, QWidget* parent)
    : QTreeView(parent), Mirror(context, tree, *this), nodes_(new TreeItemModel(tree, this)) {
  setModel(nodes_);
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  auto forward_expansion = [this](const QModelIndex& index, bool expanded) {
    if (applying_) return;
    if (ui::TreeNode* node = nodes_->NodeAt(index)) (void)ui::input::ExpandNode(*node, expanded);
    if (ui::TreeNode* node = nodes_->NodeAt(index)) ShowExpansion(*node);
  };
  connect(this, &QTreeView::expanded, this,
          [forward_expansion](const QModelIndex& index) { forward_expansion(index, true); });
  connect(this, &QTreeView::collapsed, this,
          [forward_expansion](const QModelIndex& index) { forward_expansion(index, false); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (applying_) return;
            if (ui::TreeNode* node = nodes_->NodeAt(current)) (void)ui::input::SelectNode(*node);
            // What the tree selected, whatever Qt showed meanwhile.
            Apply();
          });
}

void TreeViewMirror::ShowExpansion(const ui::TreeNode& node) {
  const QModelIndex at = nodes_->IndexOf(&node);
  if (!at.isValid() || isExpanded(at) == node.Expanded()) return;
  applying_ = true;
  setExpanded(at, node.Expanded());
  applying_ = false;
}

void TreeViewMirror::ItemsChanged(const ui::ItemChange& change) {
  nodes_->ApplyChange(change);
  auto* node = dynamic_cast<ui::TreeNode*>(change.item.get());
  if (node == nullptr || node->Tree() == nullptr) return;
  if (change.kind == ui::ItemChange::Kind::kInserted) {
    // A parent expanded before it had children shows them now.
    if (node->Parent() != nullptr) ShowExpansion(*node->Parent());
    ShowExpansion(*node);
  } else if (change.kind == ui::ItemChange::Kind::kChanged) {
    ShowExpansion(*node);
  }
}

void TreeViewMirror::ApplyOwn(ui::Control& control) {
  const auto& tree = static_cast<const ui::TreeView&>(control);
  const QFont wanted = ToQFont(tree.Font()->Desc());
  if (font() != wanted) setFont(wanted);
  const QModelIndex selected = nodes_->IndexOf(tree.SelectedItem());
  if (currentIndex() != selected) {
    applying_ = true;
    if (selected.isValid()) {
      selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    } else {
      selectionModel()->clear();
    }
    applying_ = false;
  }
  viewport()->update();
}

void TreeViewMirror::focusInEvent(QFocusEvent* event) {
  // Qt makes the first node current when a view without one takes the focus; that is no
  // selection by the person.
  applying_ = true;
  QTreeView::focusInEvent(event);
  applying_ = false;
  Apply();
  ForwardFocus();
}

}  // namespace feriant::ui_qt::internal
