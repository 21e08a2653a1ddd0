#include "addin/dialog/region_tree.h"

#include <unordered_map>

#include "addin/data/holiday_data.h"
#include "addin/engine/host_kind.h"

namespace feriant::dialog {

std::int32_t RegionHolidayCount(std::int32_t region_index, std::int32_t host_kind) {
  std::int32_t days_off = 0;
  std::int32_t others = 0;
  for (const std::int32_t row : data::AssignmentRowsOfRegion(region_index)) {
    const std::int32_t status = data::AssignmentTable[static_cast<size_t>(row)].Status;
    if (data::IsDayOffStatus(status)) {
      ++days_off;
    } else if (status > 2) {
      ++others;
    }
  }
  // A project calendar only knows working and non-working days, so Project counts what
  // it would enter: the days off.
  return host_kind == engine::kHostOutlook ? days_off + others : days_off;
}

std::string HolidayCountLabel(std::int32_t count, std::int32_t depth,
                              const engine::Localisation& texts) {
  const std::string number = (depth > 0 ? "+" : "") + std::to_string(count);
  const engine::MessageKey key = count == 1 ? engine::MessageKey::OutlookMessages_NumHoliday
                                            : engine::MessageKey::OutlookMessages_NumHolidays;
  return engine::FillPlaceholder(texts.Message(key), "%1", number);
}

RegionTree RegionTree::Build(std::string_view country, std::int32_t host_kind,
                             const engine::Localisation& texts) {
  RegionTree tree;
  if (country.empty()) return tree;

  // Path -> node; the views point into RegionTable, which outlives the build.
  std::unordered_map<std::string_view, NodeIndex> node_of;
  for (std::int32_t region = 0; region < data::kRegionCount; ++region) {
    const std::string_view path = data::RegionTable[static_cast<size_t>(region)];
    if (!data::BelongsToCountry(path, country)) continue;

    RegionNode node;
    node.Key = std::string(path);
    node.ParentKey = std::string(data::RegionParent(path));
    node.Depth = data::RegionDepth(path);
    node.RegionIndex = region;
    node.Text = std::string(data::RegionDisplayName(path)) + " " +
                HolidayCountLabel(RegionHolidayCount(region, host_kind), node.Depth, texts);

    const NodeIndex index = static_cast<NodeIndex>(tree.nodes_.size());
    if (node.Depth > 0) {
      // The table lists every parent before its children, so the parent is there; a
      // path whose parent were missing would still be shown, at the top.
      const auto parent = node_of.find(data::RegionParent(path));
      if (parent != node_of.end()) {
        node.Parent = parent->second;
        tree.nodes_[static_cast<size_t>(parent->second)].Children.push_back(index);
      }
    }
    node_of.emplace(path, index);  // the first of equal paths keeps the key
    tree.nodes_.push_back(std::move(node));
  }
  if (!tree.nodes_.empty()) {
    tree.nodes_.front().Expanded = true;
    tree.nodes_.front().Checked = true;
  }
  return tree;
}

NodeIndex RegionTree::Find(std::string_view key) const {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].Key == key) return static_cast<NodeIndex>(i);
  }
  return kNoNode;
}

void RegionTree::NodeCheck(NodeIndex node, bool checked) {
  if (!Contains(node)) return;
  if (!checked) {
    UncheckSubtree(node);
    return;
  }
  for (NodeIndex at = node; at != kNoNode; at = nodes_[static_cast<size_t>(at)].Parent)
    nodes_[static_cast<size_t>(at)].Checked = true;
}

void RegionTree::UncheckSubtree(NodeIndex node) {
  if (!Contains(node)) return;
  RegionNode& current = nodes_[static_cast<size_t>(node)];
  current.Checked = false;
  for (const NodeIndex child : current.Children)
    UncheckSubtree(child);
}

void RegionTree::SelectAll() {
  for (RegionNode& node : nodes_)
    node.Checked = true;
}

void RegionTree::SelectNone() {
  for (RegionNode& node : nodes_)
    node.Checked = false;
}

std::vector<std::string> RegionTree::TickedKeys() const {
  std::vector<std::string> keys;
  for (const RegionNode& node : nodes_) {
    if (node.Checked) keys.push_back(node.Key);
  }
  return keys;
}

}  // namespace feriant::dialog
