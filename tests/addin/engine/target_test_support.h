#pragma once
// Test support for the calendar targets: a dialog that holds a selection and records what
// a run writes, a run context for calling a target directly, and a rule table that keeps
// only some holidays.

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/calendar_target.h"
#include "addin/engine/host_kind.h"

namespace feriant::testing {

using engine::MessageBoxRequest;

class RecordingDialog final : public engine::RunDialog {
 public:
  std::string country = "Deutschland";
  std::vector<std::string> ticked = {"Deutschland"};
  std::string first_year = "2006";
  std::string last_year = "2006";
  std::int32_t language = data::kEnglish;
  std::vector<std::string> calendars;
  bool removal = false;

  std::vector<std::string> progress;  // "min 0", "max 5", "value 1", "label ..."
  std::vector<MessageBoxRequest> boxes;
  std::int32_t value = 0;

  std::string CountryText() const override { return country; }
  std::vector<std::string> TickedNodeKeys() const override { return ticked; }
  std::string FirstYearText() const override { return first_year; }
  std::string LastYearText() const override { return last_year; }
  std::optional<std::int32_t> SelectedLanguageItemData() const override { return language; }
  std::vector<std::string> SelectedCalendars() const override { return calendars; }
  bool IsRemoval() const override { return removal; }
  std::string BannerTitle() const override { return "Banner"; }
  std::string SuccessAddMessage() const override { return "added %1, modified %2"; }
  std::string SuccessRemoveMessage() const override { return "removed %1, modified %2"; }
  void SetProgressMin(std::int32_t v) override { progress.push_back("min " + std::to_string(v)); }
  void SetProgressMax(std::int32_t v) override { progress.push_back("max " + std::to_string(v)); }
  void SetProgressValue(std::int32_t v) override {
    value = v;
    progress.push_back("value " + std::to_string(v));
  }
  std::int32_t ProgressValue() const override { return value; }
  void SetProgressLabel(std::string_view text) override {
    progress.push_back("label " + std::string(text));
  }
  void SetBusy(bool) override {}
  void SetMousePointer(engine::MousePointer) override {}
  engine::MessageAnswer ShowMessage(const MessageBoxRequest& request) override {
    boxes.push_back(request);
    return engine::MessageAnswer::kOk;
  }

  // The texts of the boxes shown, in order.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes)
      texts.push_back(box.text);
    return texts;
  }
};

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
  engine::RunDialog& Dialog() override { return dialog_; }
  const engine::Localisation& Texts() const override { return texts_; }

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

// Sets HostKind for the lifetime of the object.
class ScopedHostKind {
 public:
  explicit ScopedHostKind(std::int32_t kind) : old_(engine::HostKind) { engine::HostKind = kind; }
  ~ScopedHostKind() { engine::HostKind = old_; }

 private:
  std::int32_t old_;
};

}  // namespace feriant::testing
