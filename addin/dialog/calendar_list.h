#pragma once
// CalendarList: the content of the dialog's base-calendar list box (lstCalendars), a
// multi-selection list of texts. Each entry is a base calendar's name and whether the
// user chose it as a target; the selected texts, in list order, are what the holiday run
// edits. The dialog owns the one instance and mirrors it in its list box. One thread.

#include <string>
#include <vector>

namespace feriant::dialog {

struct CalendarListEntry {
  std::string text;
  bool selected = false;

  friend bool operator==(const CalendarListEntry&, const CalendarListEntry&) = default;
};

class CalendarList {
 public:
  void Clear() { entries_.clear(); }
  // Appends an unselected entry and returns its index.
  size_t AddItem(std::string text) {
    entries_.push_back(CalendarListEntry{std::move(text), false});
    return entries_.size() - 1;
  }
  // `index` must be below size().
  void SetSelected(size_t index, bool selected) { entries_.at(index).selected = selected; }

  size_t size() const { return entries_.size(); }
  const std::vector<CalendarListEntry>& entries() const { return entries_; }
  // The texts of the selected entries, in list order.
  std::vector<std::string> SelectedTexts() const {
    std::vector<std::string> texts;
    for (const CalendarListEntry& entry : entries_) {
      if (entry.selected) texts.push_back(entry.text);
    }
    return texts;
  }

 private:
  std::vector<CalendarListEntry> entries_;
};

}  // namespace feriant::dialog
