#pragma once
// Short date formats a user may have chosen, for the done dates of the
// schedule: two-digit years, and a calendar that is not the Gregorian one.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

// "dd/MM/yy", read back with the 2049 window as Windows reads two-digit years.
class TwoDigitYearDates final : public DateCodec {
  public:
    std::string Format(int day) const override {
        const CivilDate d = CivilFromDay(day);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d.day, d.month, d.year % 100);
        return buf;
    }
    std::optional<int> Parse(std::string_view text) const override {
        int d = 0, m = 0, y = 0;
        if (std::sscanf(std::string(text).c_str(), "%d/%d/%d", &d, &m, &y) != 3) return {};
        const CivilDate date{y < 50 ? 2000 + y : 1900 + y, m, d};
        if (!IsValidCivil(date)) return {};
        return DayFromCivil(date);
    }
};

// The Thai solar calendar (year + 543), read back by a reader that takes the
// year for a Gregorian one.
class BuddhistEraDates final : public DateCodec {
  public:
    std::string Format(int day) const override {
        const CivilDate d = CivilFromDay(day);
        return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" +
               std::to_string(d.year + 543);
    }
    std::optional<int> Parse(std::string_view text) const override {
        int d = 0, m = 0, y = 0;
        if (std::sscanf(std::string(text).c_str(), "%d/%d/%d", &d, &m, &y) != 3) return {};
        const CivilDate date{y, m, d};
        if (!IsValidCivil(date)) return {};
        return DayFromCivil(date);
    }
};

} // namespace pilotune::testing
