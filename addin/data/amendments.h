#pragma once
// The law as it stands: dated amendments to the fixed holiday tables, and the lookups
// that apply them year by year.
//
// The six tables describe the law of their time and never change. AmendmentTable records
// what has changed since, one row per region and holiday: an assignment added, its
// standing changed, or the assignment removed, for a range of years, with the law that
// made the change. Holidays the tables lack are appended after the 159 of RuleTable
// (indices kRuleCount..kAllHolidayCount-1), their rules and names kept here; indices
// 0..158 keep their meaning, and the World Cup matches are never amended.
//
// Nothing here is consulted unless a caller asks for the current law; TableAssignments()
// gives the tables' own assignments through the same interface. Everything is derived
// from constant rows, built once on first use (thread-safe) and read-only afterwards;
// the references and spans handed out stay valid for the life of the process.

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "addin/data/holiday_data.h"

namespace feriant::data {

// The appended holidays.
inline constexpr int32_t kWomensDay = 159;            // "Fix 8.3"
inline constexpr int32_t kWorldChildrensDay = 160;    // "Fix 20.9"
inline constexpr int32_t kLiberationDay = 161;        // "Fix 8.5"
inline constexpr int32_t kSeventeenthOfJune = 162;    // "Fix 17.6"
inline constexpr int32_t kUprisingAnniversary = 163;  // "Fix 17.6", Berlin's one-off of 2028
// Näfelser Fahrt in the years its first Thursday of April is Maundy Thursday: a week later.
inline constexpr int32_t kNaefelserFahrtAfterEaster = 164;  // "Easter+4"
inline constexpr int32_t kAppendedHolidayCount = 6;
inline constexpr int32_t kAllHolidayCount = kRuleCount + kAppendedHolidayCount;
inline constexpr int32_t kAppendedHolidayNameCount = 4 * kAppendedHolidayCount;

inline constexpr int32_t kAmendmentCount = 50;

// An amendment's status that takes the assignment away: in those years the holiday has no
// standing in that region, whatever the table says.
inline constexpr int32_t kNotAssigned = 0;

// Open ends of an amendment's years.
inline constexpr int32_t kOpenStart = std::numeric_limits<int32_t>::min();  // law older than 1984
inline constexpr int32_t kOpenEnd = std::numeric_limits<int32_t>::max();    // still in force

struct Amendment {
  std::string_view RegionPath;  // a path of RegionTable
  int32_t HolidayIndex;         // 0..kAllHolidayCount-1, never a World Cup match
  int32_t Status;               // 1..5, or kNotAssigned
  int32_t FirstYear;            // kOpenStart, or the first year it applies
  int32_t LastYear;             // kOpenEnd, or the last year it applies
  std::string_view Source;      // the law or notice: title, date, gazette reference

  bool AppliesIn(int32_t year) const { return FirstYear <= year && year <= LastYear; }
};

// No two rows name the same region and holiday for overlapping years.
extern const std::array<Amendment, kAmendmentCount> AmendmentTable;
// The rules of the appended holidays; entry i is holiday kRuleCount + i.
extern const std::array<std::string_view, kAppendedHolidayCount> AppendedRuleTable;
// Their names: one record per holiday and language, the German one the default.
extern const std::array<HolidayName, kAppendedHolidayNameCount> AppendedHolidayNameTable;

// The rule of any holiday 0..kAllHolidayCount-1; empty for any other index.
std::string_view HolidayRule(int32_t holiday);

// The name record of any holiday 0..kAllHolidayCount-1 in `language`, else its default
// name: for 0..158 the record FindHolidayName picks. nullptr when there is none.
const HolidayName* FindHolidayNameRecord(int32_t holiday, int32_t language);

// One set of assignments in force, grouped by region and by holiday.
class EffectiveAssignments {
 public:
  // Groups `rows`, given in listing order, which the AmendmentTable rows `amendments`
  // (bit i for row i) made; a row whose region or holiday is out of range belongs to no
  // group.
  explicit EffectiveAssignments(const std::vector<Assignment>& rows, uint64_t amendments = 0);

  // The amendments applied: bit i for AmendmentTable row i; 0 for the tables' own.
  uint64_t Amendments() const { return amendments_; }

  // The rows of `region` (the holidays a ticked region selects), in listing order.
  std::span<const Assignment> RowsOfRegion(int32_t region) const;
  // The rows of `holiday`, in the order in which the run lists the holiday's regions: the
  // table's rows in table order, then the rows amendments add, in AmendmentTable order.
  std::span<const Assignment> RowsOfHoliday(int32_t holiday) const;

 private:
  std::vector<Assignment> by_region_;
  std::array<int32_t, kRegionCount + 1> region_begin_{};
  std::vector<Assignment> by_holiday_;
  std::array<int32_t, kAllHolidayCount + 1> holiday_begin_{};
  uint64_t amendments_ = 0;
};

// AssignmentTable as it stands, no amendment applied.
const EffectiveAssignments& TableAssignments();

// AssignmentTable changed by every amendment that applies in `year`: a row of the same
// region and holiday takes the amendment's status or, for kNotAssigned, is dropped; an
// amendment without such a row adds one after the table's rows. Years to which the same
// amendments apply share one object, so a caller may key what it derives by its address.
const EffectiveAssignments& CurrentLawAssignments(int32_t year);

// Which amendments of `country` apply in `year`: bit i for AmendmentTable row i. Years
// with equal keys have equal assignments within the country (the rows of its regions, in
// the same order), so whatever depends only on those may be shared by key; 0 means the
// tables' own.
uint64_t CurrentLawKey(std::string_view country, int32_t year);
static_assert(kAmendmentCount <= 64, "CurrentLawKey has one bit per amendment");

// The parts of CurrentLawKey, bit i for AmendmentTable row i: the rows whose region
// belongs to `country` (BelongsToCountry), in any year; those of `holiday`, 0 for an index
// out of range. CurrentLawKey(country, year) is AmendmentsOfCountry(country) &
// CurrentLawAssignments(year).Amendments(). Years whose keys within a country, masked by
// AmendmentsOfHoliday(h), are equal give holiday h the same rows within that country, in
// the same order, whatever the other holidays get.
uint64_t AmendmentsOfCountry(std::string_view country);
uint64_t AmendmentsOfHoliday(int32_t holiday);

// The holidays for which applying the current law in some year first..last would change
// a run over `ticked_regions` (region indexes) in `country`: holidays the law adds to or
// takes from the selection, and selected holidays whose rows within the country differ
// (and with them the region texts and the day-off flag). Ascending; empty when
// first > last.
std::vector<int32_t> HolidaysChangedByCurrentLaw(std::span<const int32_t> ticked_regions,
                                                 std::string_view country, int32_t first_year,
                                                 int32_t last_year);

// The AmendmentTable rows, in table order, that bear on `region`: those of the region
// itself and of its ancestors (ticking a region ticks them too); with `region` empty, those
// of every region of `country`; with both empty, all. A row of another country than a
// non-empty `country` never counts.
std::vector<int32_t> AmendmentsFor(std::string_view country, std::string_view region);

}  // namespace feriant::data
