#pragma once
// Test support for the calendar targets: the selection they start from, a run context
// for calling a target directly, and a rule table that keeps only some holidays.

#include <array>
#include <set>
#include <string>
#include <vector>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/calendar_target.h"
#include "addin/engine/host_kind.h"
#include "tests/support/recording_dialog.h"

namespace feriant::testing {

// The selection the target tests start from: Deutschland ticked, 2006, English, in
// `host`, with result texts that show the counts.
inline engine::RunSelection TargetSelection(std::int32_t host) {
  engine::RunSelection selection;
  selection.host = host;
  selection.country = "Deutschland";
  selection.ticked_keys = {"Deutschland"};
  selection.first_year = selection.last_year = "2006";
  selection.language = data::kEnglish;
  selection.banner_title = "Banner";
  selection.success_add_message = "added %1, modified %2";
  selection.success_remove_message = "removed %1, modified %2";
  return selection;
}

// What a target sees of a run, for calling it without one.
class RunContext final : public engine::TargetContext {
 public:
  explicit RunContext(bool removal = false, bool new_items_first = false)
      : removal_(removal), new_items_first_(new_items_first) {
    texts_.LanguageID = 1033;
  }
  bool IsRemoval() const override { return removal_; }
  bool NewItemsFirst() const override { return new_items_first_; }
  engine::RunCounters& Counters() override { return counters_; }
  const engine::RunSelection& Selection() const override { return selection_; }
  engine::RunDialog& Dialog() override { return dialog_; }
  const engine::Localisation& Texts() const override { return texts_; }

  engine::RunSelection selection_;
  RecordingDialog dialog_;
  engine::RunCounters counters_;

 private:
  bool removal_;
  bool new_items_first_;
  dialog::clsLangSetter texts_;
};

// The shipped rules for the holidays `keep`; every other holiday names a feast that no
// year has, so it never occurs.
inline std::array<std::string_view, data::kRuleCount> OnlyHolidays(std::set<std::int32_t> keep) {
  std::array<std::string_view, data::kRuleCount> rules;
  for (std::int32_t h = 0; h < data::kRuleCount; ++h) {
    rules[static_cast<size_t>(h)] =
        keep.count(h) != 0 ? data::RuleTable[static_cast<size_t>(h)] : "NoSuchFeast";
  }
  return rules;
}

}  // namespace feriant::testing
