#include "addin/data/amendments.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace feriant::data {
namespace {

bool IsAppendedHoliday(int32_t holiday) {
  return holiday >= kRuleCount && holiday < kAllHolidayCount;
}

// Sorts `rows` into groups by a key in 0..kKeyCount-1, each group in the given order: the
// rows of key k are out[begin[k] .. begin[k + 1]). Rows with a key out of range are left out.
template <size_t kKeyCount, class KeyOf>
void Group(const std::vector<Assignment>& rows, KeyOf key_of,
           std::array<int32_t, kKeyCount + 1>& begin, std::vector<Assignment>& out) {
  const auto valid = [](int32_t key) { return key >= 0 && key < static_cast<int32_t>(kKeyCount); };
  std::array<int32_t, kKeyCount + 1> next{};
  for (const Assignment& row : rows) {
    if (valid(key_of(row))) ++next[key_of(row) + 1];
  }
  for (size_t k = 0; k < kKeyCount; ++k)
    next[k + 1] += next[k];
  begin = next;
  out.resize(static_cast<size_t>(next[kKeyCount]));
  for (const Assignment& row : rows) {
    if (valid(key_of(row))) out[static_cast<size_t>(next[key_of(row)]++)] = row;
  }
}

std::span<const Assignment> GroupOf(const std::vector<Assignment>& rows,
                                    std::span<const int32_t> begin, int32_t key) {
  if (key < 0 || key + 1 >= static_cast<int32_t>(begin.size())) return {};
  return std::span<const Assignment>(rows).subspan(
      static_cast<size_t>(begin[key]), static_cast<size_t>(begin[key + 1] - begin[key]));
}

// AssignmentTable with the amendments that apply in `year`, in listing order.
std::vector<Assignment> RowsInForce(int32_t year) {
  std::vector<Assignment> rows(AssignmentTable.begin(), AssignmentTable.end());
  // Removal is kept apart from Status so that no status value of the table can ever be
  // taken for a removal.
  std::vector<bool> removed(rows.size(), false);
  for (const Amendment& amendment : AmendmentTable) {
    if (!amendment.AppliesIn(year)) continue;
    const int32_t region = FindRegion(amendment.RegionPath);
    if (region < 0 || amendment.HolidayIndex < 0 || amendment.HolidayIndex >= kAllHolidayCount) {
      continue;
    }
    bool found = false;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].RegionIndex != region || rows[i].HolidayIndex != amendment.HolidayIndex) continue;
      found = true;
      removed[i] = amendment.Status == kNotAssigned;
      if (!removed[i]) rows[i].Status = amendment.Status;
    }
    if (!found && amendment.Status != kNotAssigned) {
      rows.push_back(Assignment{amendment.HolidayIndex, region, amendment.Status});
      removed.push_back(false);
    }
  }
  std::vector<Assignment> in_force;
  in_force.reserve(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!removed[i]) in_force.push_back(rows[i]);
  }
  return in_force;
}

// The years split where any amendment starts or ends: within one period the same
// amendments apply. Period p covers starts[p - 1] .. starts[p] - 1, the first period
// beginning and the last ending without bound.
struct Periods {
  std::vector<int32_t> starts;
  std::vector<std::unique_ptr<const EffectiveAssignments>> assignments;  // one per period

  size_t PeriodOf(int32_t year) const {
    return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), year) -
                               starts.begin());
  }
  int32_t LastYearOf(size_t period) const {
    return period == starts.size() ? kOpenEnd : starts[period] - 1;
  }
};

Periods BuildPeriods() {
  Periods periods;
  for (const Amendment& amendment : AmendmentTable) {
    if (amendment.FirstYear != kOpenStart) periods.starts.push_back(amendment.FirstYear);
    if (amendment.LastYear != kOpenEnd) periods.starts.push_back(amendment.LastYear + 1);
  }
  std::sort(periods.starts.begin(), periods.starts.end());
  periods.starts.erase(std::unique(periods.starts.begin(), periods.starts.end()),
                       periods.starts.end());
  for (size_t p = 0; p <= periods.starts.size(); ++p) {
    // Every year of a period gives the same rows; its last year is always a valid year.
    const int32_t year = periods.LastYearOf(p);
    uint64_t in_force = 0;
    for (size_t i = 0; i < AmendmentTable.size(); ++i) {
      if (AmendmentTable[i].AppliesIn(year)) in_force |= uint64_t{1} << i;
    }
    periods.assignments.push_back(
        std::make_unique<const EffectiveAssignments>(RowsInForce(year), in_force));
  }
  return periods;
}

const Periods& ThePeriods() {
  static const Periods periods = BuildPeriods();
  return periods;
}

// The amendments by what they concern, one bit per AmendmentTable row.
struct AmendmentMasks {
  // Every path that some row's region belongs to (BelongsToCountry): the region itself
  // and each of its ancestors, sorted, with the rows that belong to it.
  std::vector<std::pair<std::string_view, uint64_t>> by_ancestor;
  std::array<uint64_t, kAllHolidayCount> by_holiday{};
};

AmendmentMasks BuildAmendmentMasks() {
  AmendmentMasks masks;
  for (size_t i = 0; i < AmendmentTable.size(); ++i) {
    const Amendment& amendment = AmendmentTable[i];
    const uint64_t bit = uint64_t{1} << i;
    if (amendment.HolidayIndex >= 0 && amendment.HolidayIndex < kAllHolidayCount)
      masks.by_holiday[static_cast<size_t>(amendment.HolidayIndex)] |= bit;
    const std::string_view path = amendment.RegionPath;
    for (size_t end = path.find(kRegionSeparator);; end = path.find(kRegionSeparator, end + 1)) {
      const std::string_view ancestor = path.substr(0, end);
      auto it = std::find_if(masks.by_ancestor.begin(), masks.by_ancestor.end(),
                             [ancestor](const auto& entry) { return entry.first == ancestor; });
      if (it == masks.by_ancestor.end()) {
        masks.by_ancestor.emplace_back(ancestor, bit);
      } else {
        it->second |= bit;
      }
      if (end == std::string_view::npos) break;
    }
  }
  std::sort(masks.by_ancestor.begin(), masks.by_ancestor.end());
  return masks;
}

const AmendmentMasks& TheAmendmentMasks() {
  static const AmendmentMasks masks = BuildAmendmentMasks();
  return masks;
}

// The selection of `regions` under `assignments`: one flag per holiday.
std::array<bool, kAllHolidayCount> SelectionOf(const EffectiveAssignments& assignments,
                                               std::span<const int32_t> regions) {
  std::array<bool, kAllHolidayCount> selected{};
  for (const int32_t region : regions) {
    for (const Assignment& row : assignments.RowsOfRegion(region)) {
      if (row.HolidayIndex >= 0 && row.HolidayIndex < kAllHolidayCount)
        selected[static_cast<size_t>(row.HolidayIndex)] = true;
    }
  }
  return selected;
}

// Whether two lists of a holiday's rows agree on the regions of `country` and their status.
bool SameRowsIn(std::string_view country, std::span<const Assignment> a,
                std::span<const Assignment> b) {
  const auto in_country = [country](const Assignment& row) {
    return row.RegionIndex >= 0 && row.RegionIndex < kRegionCount &&
           BelongsToCountry(RegionTable[static_cast<size_t>(row.RegionIndex)], country);
  };
  auto ia = a.begin();
  auto ib = b.begin();
  while (true) {
    ia = std::find_if(ia, a.end(), in_country);
    ib = std::find_if(ib, b.end(), in_country);
    if (ia == a.end() || ib == b.end()) return ia == a.end() && ib == b.end();
    if (ia->RegionIndex != ib->RegionIndex || ia->Status != ib->Status) return false;
    ++ia;
    ++ib;
  }
}

}  // namespace

std::string_view HolidayRule(int32_t holiday) {
  if (holiday >= 0 && holiday < kRuleCount) return RuleTable[static_cast<size_t>(holiday)];
  if (IsAppendedHoliday(holiday))
    return AppendedRuleTable[static_cast<size_t>(holiday - kRuleCount)];
  return {};
}

const HolidayName* FindHolidayNameRecord(int32_t holiday, int32_t language) {
  if (!IsAppendedHoliday(holiday)) {
    const int32_t row = FindHolidayName(holiday, language);
    return row < 0 ? nullptr : &HolidayNameTable[static_cast<size_t>(row)];
  }
  for (const HolidayName& name : AppendedHolidayNameTable) {
    if (name.HolidayIndex == holiday && name.LanguageIndex == language) return &name;
  }
  for (const HolidayName& name : AppendedHolidayNameTable) {
    if (name.HolidayIndex == holiday && name.IsDefaultName != 0) return &name;
  }
  return nullptr;
}

EffectiveAssignments::EffectiveAssignments(const std::vector<Assignment>& rows, uint64_t amendments)
    : amendments_(amendments) {
  Group<kRegionCount>(
      rows, [](const Assignment& row) { return row.RegionIndex; }, region_begin_, by_region_);
  Group<kAllHolidayCount>(
      rows, [](const Assignment& row) { return row.HolidayIndex; }, holiday_begin_, by_holiday_);
}

std::span<const Assignment> EffectiveAssignments::RowsOfRegion(int32_t region) const {
  return GroupOf(by_region_, region_begin_, region);
}

std::span<const Assignment> EffectiveAssignments::RowsOfHoliday(int32_t holiday) const {
  return GroupOf(by_holiday_, holiday_begin_, holiday);
}

const EffectiveAssignments& TableAssignments() {
  static const EffectiveAssignments table(
      std::vector<Assignment>(AssignmentTable.begin(), AssignmentTable.end()));
  return table;
}

const EffectiveAssignments& CurrentLawAssignments(int32_t year) {
  const Periods& periods = ThePeriods();
  return *periods.assignments[periods.PeriodOf(year)];
}

std::vector<int32_t> HolidaysChangedByCurrentLaw(std::span<const int32_t> ticked_regions,
                                                 std::string_view country, int32_t first_year,
                                                 int32_t last_year) {
  std::vector<int32_t> changed_holidays;
  if (first_year > last_year) return changed_holidays;
  const EffectiveAssignments& table = TableAssignments();
  const std::array<bool, kAllHolidayCount> table_selection = SelectionOf(table, ticked_regions);

  std::array<bool, kAllHolidayCount> changed{};
  const Periods& periods = ThePeriods();
  for (size_t p = periods.PeriodOf(first_year); p <= periods.PeriodOf(last_year); ++p) {
    const EffectiveAssignments& law = *periods.assignments[p];
    const std::array<bool, kAllHolidayCount> selection = SelectionOf(law, ticked_regions);
    for (int32_t h = 0; h < kAllHolidayCount; ++h) {
      // A holiday no amendment of the period concerns has the table's rows.
      if ((AmendmentsOfHoliday(h) & law.Amendments()) == 0) continue;
      const size_t i = static_cast<size_t>(h);
      if (selection[i] != table_selection[i] ||
          (selection[i] && !SameRowsIn(country, table.RowsOfHoliday(h), law.RowsOfHoliday(h)))) {
        changed[i] = true;
      }
    }
  }
  for (int32_t h = 0; h < kAllHolidayCount; ++h) {
    if (changed[static_cast<size_t>(h)]) changed_holidays.push_back(h);
  }
  return changed_holidays;
}

uint64_t CurrentLawKey(std::string_view country, int32_t year) {
  return AmendmentsOfCountry(country) & CurrentLawAssignments(year).Amendments();
}

uint64_t AmendmentsOfCountry(std::string_view country) {
  // A row belongs to `country` exactly when `country` is its region or an ancestor of it.
  const auto& by_ancestor = TheAmendmentMasks().by_ancestor;
  const auto found =
      std::lower_bound(by_ancestor.begin(), by_ancestor.end(), country,
                       [](const auto& entry, std::string_view key) { return entry.first < key; });
  return found != by_ancestor.end() && found->first == country ? found->second : 0;
}

uint64_t AmendmentsOfHoliday(int32_t holiday) {
  if (holiday < 0 || holiday >= kAllHolidayCount) return 0;
  return TheAmendmentMasks().by_holiday[static_cast<size_t>(holiday)];
}

std::vector<int32_t> AmendmentsFor(std::string_view country, std::string_view region) {
  std::vector<int32_t> rows;
  for (int32_t i = 0; i < kAmendmentCount; ++i) {
    const std::string_view path = AmendmentTable[static_cast<size_t>(i)].RegionPath;
    if (!country.empty() && !BelongsToCountry(path, country)) continue;
    // A path "belongs" to each of its ancestors exactly as a region to its country.
    if (!region.empty() && !BelongsToCountry(region, path)) continue;
    rows.push_back(i);
  }
  return rows;
}

}  // namespace feriant::data
