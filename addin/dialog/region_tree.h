#pragma once
// The dialog's region tree as a plain model: the regions of one country, each a node
// keyed by its region path and labelled with its holiday count, with a check box per
// node and the rules that keep the ticks consistent (a ticked node always has ticked
// ancestors). The dialog mirrors it into its tree view; the command line ticks it from
// its options; the holiday run reads the ticked keys.
//
// A RegionTree is a value owned by its user. The node texts are built from the current
// language of the Localisation given to Build and do not follow a later change of it.
// One thread (the dialog's).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/engine/localisation.h"

namespace feriant::dialog {

// A node's position in RegionTree::Nodes(); -1 for none.
using NodeIndex = std::int32_t;
inline constexpr NodeIndex kNoNode = -1;

struct RegionNode {
  std::string Key;                // the region path, unique in the tree
  std::string ParentKey;          // the path without its last level; empty for the country
  std::int32_t Depth = 0;         // the number of "|" in Key: 0 for the country, up to 3
  std::int32_t RegionIndex = -1;  // the path's index in RegionTable
  std::string Text;               // the display name, a blank and the holiday count label
  bool Checked = false;
  bool Expanded = false;
  NodeIndex Parent = kNoNode;
  std::vector<NodeIndex> Children;  // in node order
};

// The number of holidays a region shows in the tree: the region's own assignment rows
// (none inherited), all of them in Outlook (`host_kind` 1), only the days off (status 1
// and 2) for any other host.
std::int32_t RegionHolidayCount(std::int32_t region_index, std::int32_t host_kind);

// The count label of a node at `depth`: OutlookMessages_NumHoliday for a count of 1,
// OutlookMessages_NumHolidays otherwise, in the current language, with "+" before the
// number below the country ("(1 holiday)", "(+1 holiday)", "(+0 holidays)").
std::string HolidayCountLabel(std::int32_t count, std::int32_t depth,
                              const engine::Localisation& texts);

class RegionTree {
 public:
  RegionTree() = default;

  // The tree of `country` as choosing it in the dialog builds it: every region that is
  // the country or lies below it, in table order, hung under its parent; the country
  // node expanded and ticked, all others unticked. An empty `country` (nothing
  // selected) or a name without regions gives an empty tree.
  static RegionTree Build(std::string_view country, std::int32_t host_kind,
                          const engine::Localisation& texts);

  const std::vector<RegionNode>& Nodes() const { return nodes_; }
  bool empty() const { return nodes_.empty(); }

  // The node keyed `key`, compared exactly; kNoNode when there is none.
  NodeIndex Find(std::string_view key) const;

  // What the tree does when the user sets a node's check box to `checked`: a ticked
  // node ticks every ancestor up to the country (its descendants keep their state); an
  // unticked node unticks its whole subtree. An index outside the tree does nothing.
  void NodeCheck(NodeIndex node, bool checked);

  // Unticks `node` and, depth first, all of its descendants.
  void UncheckSubtree(NodeIndex node);

  // Ticks, respectively unticks, every node, the country included.
  void SelectAll();
  void SelectNone();

  // The keys of the ticked nodes, in node order: what the holiday run reads.
  std::vector<std::string> TickedKeys() const;

 private:
  bool Contains(NodeIndex node) const {
    return node >= 0 && static_cast<size_t>(node) < nodes_.size();
  }

  std::vector<RegionNode> nodes_;
};

}  // namespace feriant::dialog
