// Done dates written in the user's short date format read back as the same
// day: month names, another calendar, and what older saves wrote.
#include <gtest/gtest.h>

#include <cstdio>

#include "settings/Codecs.h"
#include "settings/ShortDates.h"

using namespace pilotune;

namespace {

// A locale writing "dd-MMM-yy" with French month names, or "dd/MM/yyyy" with
// its years shifted by `yearShift` (the Thai Buddhist calendar: 543).
struct FakeLocale final : ShortDateLocale {
    std::string pattern = "dd-MMM-yy";
    int yearShift = 0;
    std::string Pattern() const override { return pattern; }
    std::optional<std::string> Write(int day) const override {
        static const char* kMonths[] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                        "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
        const CivilDate d = CivilFromDay(day);
        char buf[64];
        if (pattern == "dd-MMM-yy")
            std::snprintf(buf, sizeof buf, "%02d-%s-%02d", d.day, kMonths[d.month - 1],
                          d.year % 100);
        else
            std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year + yearShift);
        return buf;
    }
    bool Gregorian() const override { return yearShift == 0; }
    int Today() const override { return 45356; } // 5 March 2024
};

} // namespace

TEST(ShortDates, MonthNamesAndOtherCalendarsReadBackAsTheDayWritten) {
    FakeLocale names;
    EXPECT_EQ(FormatShortDate(names, 45356), "05-mars-24");
    for (int day : {45356, 45323, 45538, 36526, 45657})
        EXPECT_EQ(ParseShortDate(names, FormatShortDate(names, day)), day) << day;
    EXPECT_EQ(ParseShortDate(names, "05/03/2024"), 45356); // an older numeric save
    EXPECT_FALSE(ParseShortDate(names, "05-mai-").has_value());

    FakeLocale thai;
    thai.pattern = "dd/MM/yyyy";
    thai.yearShift = 543;
    EXPECT_EQ(FormatShortDate(thai, 45356), "05/03/2024"); // Gregorian: it reads back
    EXPECT_EQ(ParseShortDate(thai, "05/03/2024"), 45356);
    EXPECT_EQ(ParseShortDate(thai, "05/03/2567"), 45356); // the calendar's own, as saved before
    EXPECT_EQ(ParseShortDate(thai, "01/01/2001"), 36892); // older than two years: as written
}
