// RuleTable: one date rule per holiday, the row index being the holiday index.
// Forms: "Fix d.m", a feast name with an optional signed day offset ("Easter-2",
// "Advent1+7"), or a World Cup kick-off "WM d.m.yyyy h:mm" (rows 94..157). Several
// holidays share one rule and stay distinct holidays.

#include "addin/data/holiday_data.h"

#include <array>

namespace feriant::data {
namespace {

constexpr auto kRows = std::to_array<std::string_view>({
    "Fix 1.1",                  // 0
    "Fix 2.1",                  // 1
    "Fix 6.1",                  // 2
    "Fix 13.1",                 // 3
    "Fix 17.1",                 // 4
    "Fix 20.1",                 // 5
    "Fix 21.1",                 // 6
    "Fix 2.2",                  // 7
    "Easter-52",                // 8
    "Fix 5.2",                  // 9
    "Easter-48",                // 10
    "Easter-47",                // 11
    "Easter-46",                // 12
    "Easter-41",                // 13
    "Easter-40",                // 14
    "Easter-39",                // 15
    "Fix 1.3",                  // 16
    "Fix 6.3",                  // 17
    "Fix 19.3",                 // 18
    "Easter-7",                 // 19
    "Fix 21.3",                 // 20
    "Easter-2",                 // 21
    "Easter",                   // 22
    "Easter+1",                 // 23
    "NäfelserFahrt",            // 24
    "Sechseläuten",             // 25
    "Fix 1.5",                  // 26
    "Fix 1.5",                  // 27
    "Fix 1.5",                  // 28
    "Fix 1.5",                  // 29
    "Fix 1.5",                  // 30
    "Easter+39",                // 31
    "Muttertag",                // 32
    "Fix 8.5",                  // 33
    "Fix 12.5",                 // 34
    "Easter+49",                // 35
    "Easter+50",                // 36
    "Easter+50",                // 37
    "Easter+51",                // 38
    "Easter+60",                // 39
    "Fix 22.6",                 // 40
    "Fix 23.6",                 // 41
    "Solennität",               // 42
    "Fix 29.6",                 // 43
    "Maienzug",                 // 44
    "Maienzug",                 // 45
    "Rutenzug",                 // 46
    "Maienzug+7",               // 47
    "Fix 14.7",                 // 48
    "Fix 25.7",                 // 49
    "Fix 1.8",                  // 50
    "Fix 8.8",                  // 51
    "Fix 15.8",                 // 52
    "Fix 15.8",                 // 53
    "Fix 1.9",                  // 54
    "Fix 2.9",                  // 55
    "GenferBettag",             // 56
    "Fix 8.9",                  // 57
    "EidgDankBussUndBettag-6",  // 58
    "Fix 14.9",                 // 59
    "EidgDankBussUndBettag",    // 60
    "EidgDankBussUndBettag+1",  // 61
    "Fix 22.9",                 // 62
    "Fix 25.9",                 // 63
    "Fix 29.9",                 // 64
    "Fix 30.9",                 // 65
    "Fix 2.10",                 // 66
    "Fix 3.10",                 // 67
    "Fix 16.10",                // 68
    "Fix 20.10",                // 69
    "Fix 26.10",                // 70
    "Fix 31.10",                // 71
    "Fix 1.11",                 // 72
    "Fix 11.11",                // 73
    "Fix 11.11",                // 74
    "Advent1-11",               // 75
    "Advent1-7",                // 76
    "Advent1",                  // 77
    "Zibelemärit",              // 78
    "Advent1+7",                // 79
    "Fix 6.12",                 // 80
    "Fix 8.12",                 // 81
    "Advent1+14",               // 82
    "StNikolaus",               // 83
    "Advent1+21",               // 84
    "Fix 24.12",                // 85
    "Fix 25.12",                // 86
    "Fix 26.12",                // 87
    "Fix 31.12",                // 88
    "Fix 31.12",                // 89
    "Fix 2.11",                 // 90
    "Fix 13.1",                 // 91
    "Easter+1",                 // 92
    "Fix 14.2",                 // 93
    "WM 9.6.2006 18:00",        // 94
    "WM 9.6.2006 21:00",        // 95
    "WM 10.6.2006 15:00",       // 96
    "WM 10.6.2006 18:00",       // 97
    "WM 10.6.2006 21:00",       // 98
    "WM 11.6.2006 15:00",       // 99
    "WM 11.6.2006 18:00",       // 100
    "WM 11.6.2006 21:00",       // 101
    "WM 12.6.2006 15:00",       // 102
    "WM 12.6.2006 18:00",       // 103
    "WM 12.6.2006 21:00",       // 104
    "WM 13.6.2006 15:00",       // 105
    "WM 13.6.2006 18:00",       // 106
    "WM 13.6.2006 21:00",       // 107
    "WM 14.6.2006 15:00",       // 108
    "WM 14.6.2006 18:00",       // 109
    "WM 14.6.2006 21:00",       // 110
    "WM 15.6.2006 15:00",       // 111
    "WM 15.6.2006 18:00",       // 112
    "WM 15.6.2006 21:00",       // 113
    "WM 16.6.2006 15:00",       // 114
    "WM 16.6.2006 18:00",       // 115
    "WM 16.6.2006 21:00",       // 116
    "WM 17.6.2006 15:00",       // 117
    "WM 17.6.2006 18:00",       // 118
    "WM 17.6.2006 21:00",       // 119
    "WM 18.6.2006 15:00",       // 120
    "WM 18.6.2006 18:00",       // 121
    "WM 18.6.2006 21:00",       // 122
    "WM 19.6.2006 15:00",       // 123
    "WM 19.6.2006 18:00",       // 124
    "WM 19.6.2006 21:00",       // 125
    "WM 20.6.2006 16:00",       // 126
    "WM 20.6.2006 16:00",       // 127
    "WM 20.6.2006 21:00",       // 128
    "WM 20.6.2006 21:00",       // 129
    "WM 21.6.2006 16:00",       // 130
    "WM 21.6.2006 16:00",       // 131
    "WM 21.6.2006 21:00",       // 132
    "WM 21.6.2006 21:00",       // 133
    "WM 22.6.2006 16:00",       // 134
    "WM 22.6.2006 16:00",       // 135
    "WM 22.6.2006 21:00",       // 136
    "WM 22.6.2006 21:00",       // 137
    "WM 23.6.2006 16:00",       // 138
    "WM 23.6.2006 16:00",       // 139
    "WM 23.6.2006 21:00",       // 140
    "WM 23.6.2006 21:00",       // 141
    "WM 24.6.2006 17:00",       // 142
    "WM 24.6.2006 21:00",       // 143
    "WM 25.6.2006 17:00",       // 144
    "WM 25.6.2006 21:00",       // 145
    "WM 26.6.2006 17:00",       // 146
    "WM 26.6.2006 21:00",       // 147
    "WM 27.6.2006 17:00",       // 148
    "WM 27.6.2006 21:00",       // 149
    "WM 30.6.2006 17:00",       // 150
    "WM 30.6.2006 21:00",       // 151
    "WM 1.7.2006 17:00",        // 152
    "WM 1.7.2006 21:00",        // 153
    "WM 4.7.2006 21:00",        // 154
    "WM 5.7.2006 21:00",        // 155
    "WM 8.7.2006 21:00",        // 156
    "WM 9.7.2006 20:00",        // 157
    "MuttertagFranceSweden",    // 158
});
static_assert(kRows.size() == kRuleCount);

}  // namespace

constinit const std::array<std::string_view, kRuleCount> RuleTable = kRows;

}  // namespace feriant::data
