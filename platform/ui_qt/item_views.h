#pragma once
// The mirrors of the model's lists and trees: a drop-down list (QComboBox), a list box
// (QListView) and a tree view (QTreeView), each over an item model of its own that stands
// for the control's items.
//
// An item model keeps only the shape of the items (how many rows; for a tree, which node
// stands where), brought up to date one item change at a time (ui::ItemChange), so that
// Qt hears of every insertion, removal and change in order and a tree keeps its expansion
// and scroll position; texts, ticks and states are read from the control whenever Qt asks.
// The views never change the model's state themselves: a click, a tick, a key, an
// expansion or a scroll goes to the control through ui::input, and the view shows what
// the control then holds (selection, current entry, TopIndex, Expanded).
// The user-interface thread only.

#include <memory>
#include <unordered_map>
#include <vector>

#include <QAbstractItemModel>
#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QTreeView>

#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui_qt/mirror_widgets.h"

namespace feriant::ui_qt::internal {

// The entries of a list box or drop-down list as rows.
class ListItemModel final : public QAbstractListModel {
 public:
  ListItemModel(const RenderContext& context, ui::ListControl& list, QObject* parent);
  void Detach() { list_.reset(); }
  // Brings the rows up to date with one change of the control's entries.
  void ApplyChange(const ui::ItemChange& change);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::shared_ptr<ui::ListControl> List() const;

  const RenderContext& context_;
  std::weak_ptr<automation::Dispatch> list_;
  ui::ListControl* address_;
  int rows_;
};

// The nodes of a tree view. Each node of the control has a shadow here that holds it and
// its place; a shadow lives until Qt has been told that its node went away.
class TreeItemModel final : public QAbstractItemModel {
 public:
  TreeItemModel(ui::TreeView& tree, QObject* parent);
  void Detach() { tree_.reset(); }
  void ApplyChange(const ui::ItemChange& change);
  QModelIndex IndexOf(const ui::TreeNode* node) const;
  ui::TreeNode* NodeAt(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A tick from the view goes to the tree as the person's tick.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  struct Shadow {
    std::shared_ptr<ui::TreeNode> node;
    Shadow* parent = nullptr;
    std::vector<std::unique_ptr<Shadow>> children;
  };

  std::shared_ptr<ui::TreeView> Tree() const;
  // Adds shadows for `node` and its subtree at `row` of `parent`.
  void AddShadow(Shadow& parent, size_t row, ui::TreeNode& node);
  void Forget(Shadow& shadow);
  void Rebuild();
  QModelIndex IndexOfShadow(const Shadow* shadow) const;
  static int RowOf(const Shadow& shadow);
  const Shadow* ShadowAt(const QModelIndex& index) const;

  std::weak_ptr<automation::Dispatch> tree_;
  ui::TreeView* address_;
  Shadow root_;
  std::unordered_map<const ui::TreeNode*, Shadow*> shadows_;
};

class ComboBoxMirror final : public QComboBox, public Mirror {
 public:
  ComboBoxMirror(const RenderContext& context, ui::ComboBox& combo, QWidget* parent);
  void ItemsChanged(const ui::ItemChange& change) override;

 protected:
  void ApplyOwn(ui::Control& control) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  ListItemModel* items_;
  bool applying_ = false;
};

class ListBoxMirror final : public QListView, public Mirror {
 public:
  ListBoxMirror(const RenderContext& context, ui::ListBox& list, QWidget* parent);
  void ItemsChanged(const ui::ItemChange& change) override;

 protected:
  void ApplyOwn(ui::Control& control) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  std::shared_ptr<ui::ListBox> ListModel() const;
  // Shows the selection of row `row` (in a check-box list: whether it is the current one).
  void ShowSelection(const ui::ListBox& list, int row);

  ListItemModel* items_;
  bool applying_ = false;
};

class TreeViewMirror final : public QTreeView, public Mirror {
 public:
  TreeViewMirror(const RenderContext& context, ui::TreeView& tree, QWidget* parent);
  void ItemsChanged(const ui::ItemChange& change) override;

 protected:
  void ApplyOwn(ui::Control& control) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // Expands or collapses the row of `node` as the node says.
  void ShowExpansion(const ui::TreeNode& node);

  TreeItemModel* nodes_;
  bool applying_ = false;
};

}  // namespace feriant::ui_qt::internal
