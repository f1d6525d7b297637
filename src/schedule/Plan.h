#pragma once
// TPlan: one running schedule entry, and the codes of its timing modes and
// periods with the labels the options dialog shows.
#include <string>
#include <string_view>

namespace pilotune {

enum TimingMode : int {
    kModeA = 0,             // "à": a time of day
    kModeDans = 1,          // "dans": a delay in seconds
    kModeApres = 2,         // "après": a number of track changes
    kModePrecedent = 3,     // when the entry before it has run
    kModePrecedentDans = 4, // ... then a delay
    kModePrecedentApres = 5 // ... then a number of track changes
};
inline constexpr int kTimingModeCount = 6;

enum Period : int {
    kPeriodOnce = 0,
    kPeriodDaily = 1,
    kPeriodWeekdays = 2,
    kPeriodWeekend = 3,
    kPeriodMonday = 4, // 4 to 10: Monday to Sunday
    kPeriodSunday = 10,
    kPeriodEachStart = 11,
    kPeriodEachWindowsStart = 12,
};
inline constexpr int kPeriodCount = 13;

struct TPlan {
    int Action = 0;     // action number
    int Comment = 0;    // timing mode; codes outside 0..5 are kept as read
    int Periode = 0;    // period; codes outside 0..12 never allow a run
    std::string Chemin; // the action's text parameter
    int Quand = 0;      // the mode's value; countdowns decrease it in place
    int Index = 0;      // position of the entry in the file's list
    int Effectuer = 0;  // day it last ran; 0: armed
    bool operator==(const TPlan&) const = default;
};

// The labels of the options dialog, by code; empty outside the table.
std::string_view TimingModeLabel(int code);
std::string_view PeriodLabel(int code);

} // namespace pilotune
