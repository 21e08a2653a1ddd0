#pragma once
// The dialog's country list: the countries of the region table, in table order, as the
// dialog fills its country box when it loads. The World Cup pseudo-country is offered
// only in Outlook and only until the tournament is over.
//
// Plain functions over the constant data tables; the caller owns the returned list,
// whose texts point into the tables. One thread (the dialog's).

#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

namespace feriant::dialog {

// The local date and time from which the World Cup is no longer offered: 10 July 2006,
// 00:00, the day after the final.
inline constexpr std::chrono::local_seconds kWorldCupOfferEnd{
    std::chrono::local_days{std::chrono::year{2006} / std::chrono::July / 10}};

// The paths of depth 0 of RegionTable, in table order. The World Cup entry is among
// them only when `host_kind` is Outlook (1) and `now`, local time, is before
// kWorldCupOfferEnd.
std::vector<std::string_view> CountryList(std::int32_t host_kind, std::chrono::local_seconds now);

}  // namespace feriant::dialog
