#pragma once
// The movable feasts of one year: Easter Sunday and thirteen weekday-anchored days that
// holiday rules name by key ("Easter-2", "Advent1+14").
//
// A FeastTable is owned by the holiday run and refilled for every processed year; rules
// are evaluated against the table of the year being processed. Lookups are first-match
// scans in table order under a case-insensitive key comparison; an index of the first
// record of each known key gives the same answers without the scan. One thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace feriant::engine {

struct Feast {
  std::string FeastKey;
  std::chrono::local_days FeastDate;  // a calendar day, no time zone
};

class FeastTable {
 public:
  // The keys that ComputeFeasts writes, in the order in which it writes them.
  static constexpr std::array<std::string_view, 14> kKnownKeys = {"Easter",
                                                                  "Muttertag",
                                                                  "MuttertagFranceSweden",
                                                                  "Advent1",
                                                                  "EidgDankBussUndBettag",
                                                                  "StNikolaus",
                                                                  "Rutenzug",
                                                                  "Maienzug",
                                                                  "NäfelserFahrt",
                                                                  "Hilari",
                                                                  "GenferBettag",
                                                                  "Solennität",
                                                                  "Zibelemärit",
                                                                  "Sechseläuten"};

  // The years for which Easter, and every feast counted from it, is exact.
  static constexpr std::int32_t kFirstExactYear = 1700;
  static constexpr std::int32_t kLastExactYear = 2199;

  FeastTable();

  // Replaces the content with the feasts of `year`: thirteen records, and a fourteenth,
  // "Sechseläuten", for 2000 to 2015, whose dates come from a fixed list. Easter follows
  // Gauss's algorithm, correct for kFirstExactYear to kLastExactYear (earlier years use
  // the constants of the 1700s, later ones those of the 2100s, and are wrong). A year outside
  // kMinYear..kMaxYear leaves the table empty, so that every feast rule of that year finds nothing.
  void ComputeFeasts(std::int32_t year);

  // Appends a record; keys are not tested for duplicates.
  void AddFeast(std::string_view key, std::chrono::local_days date);

  // The date of the first record whose key equals `key` ignoring case; none when no
  // record does.
  std::optional<std::chrono::local_days> LookupFeast(std::string_view key) const;

  // The index into kKnownKeys of the key that `key` equals ignoring case, or -1. Lets
  // callers resolve a key once and then look it up by LookupKnownFeast.
  static int KnownKeyIndex(std::string_view key);

  // LookupFeast(kKnownKeys[known]), without scanning; none for `known` outside 0..13.
  std::optional<std::chrono::local_days> LookupKnownFeast(int known) const {
    if (known < 0 || known >= static_cast<int>(first_known_.size())) return std::nullopt;
    const std::int32_t row = first_known_[static_cast<size_t>(known)];
    if (row < 0) return std::nullopt;
    return feasts_[static_cast<size_t>(row)].FeastDate;
  }

  const std::vector<Feast>& Feasts() const { return feasts_; }

 private:
  std::vector<Feast> feasts_;
  // The first record whose key equals kKnownKeys[i] ignoring case, or -1.
  std::array<std::int32_t, kKnownKeys.size()> first_known_;
};

}  // namespace feriant::engine
