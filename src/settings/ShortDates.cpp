#include "settings/ShortDates.h"

#include "settings/Codecs.h"

namespace pilotune {

namespace {

// Dates older saves wrote in another calendar are looked for this far back.
constexpr int kRecentDays = 732;

struct PatternFields {
    std::string order = "dMy"; // day, month and year in the pattern's order
    bool monthName = false;    // "MMM" or "MMMM": the month is written as a name
};

PatternFields FieldsOf(std::string_view pattern) {
    PatternFields f;
    f.order.clear();
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'') quoted = !quoted;
        if (quoted || (c != 'd' && c != 'M' && c != 'y')) continue;
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run - 1;
        if (c == 'd' && run >= 3) continue; // the weekday's name
        if (f.order.find(c) != std::string::npos) continue;
        f.order += c;
        if (c == 'M' && run >= 3) f.monthName = true;
    }
    if (f.order.size() != 3) f = PatternFields{};
    return f;
}

// The text read in the pattern's order; a month name is the one the locale
// writes for that day and year.
std::optional<int> ReadPattern(const ShortDateLocale& locale, std::string_view text) {
    const PatternFields f = FieldsOf(locale.Pattern());
    int values[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    int group = -1;
    bool inDigits = false;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            inDigits = false;
            continue;
        }
        if (!inDigits && ++group >= 3) return std::nullopt;
        inDigits = true;
        if (++digits[group] > 4) return std::nullopt;
        values[group] = values[group] * 10 + (c - '0');
    }
    if (group != (f.monthName ? 1 : 2)) return std::nullopt;
    CivilDate d{0, 0, 0};
    int g = 0;
    for (const char field : f.order) {
        if (field == 'M' && f.monthName) continue;
        const int v = values[g], n = digits[g++];
        if (field == 'd') d.day = v;
        if (field == 'M') d.month = v;
        if (field == 'y')
            d.year = n <= 2 ? v + (v < 50 ? 2000 : 1900) : v; // as Windows' 2049 window
    }
    if (!f.monthName) return IsValidCivil(d) ? std::optional<int>(DayFromCivil(d)) : std::nullopt;
    for (d.month = 1; d.month <= 12; ++d.month) {
        if (!IsValidCivil(d)) continue;
        const int day = DayFromCivil(d);
        const std::optional<std::string> written = locale.Write(day);
        if (written && *written == text) return day;
    }
    return std::nullopt;
}

} // namespace

std::string FormatShortDate(const ShortDateLocale& locale, int day) {
    const std::optional<std::string> text = locale.Write(day);
    if (text && ReadPattern(locale, *text) == day) return *text;
    return DayMonthYearDateCodec{}.Format(day);
}

std::optional<int> ParseShortDate(const ShortDateLocale& locale, std::string_view text) {
    const std::optional<int> read = ReadPattern(locale, text);
    const std::optional<int> plain = DayMonthYearDateCodec{}.Parse(text);
    // What Format writes reads back as the day it was written for.
    std::optional<int> exact;
    for (const std::optional<int>& c : {read, plain})
        if (!exact && c && FormatShortDate(locale, *c) == text) exact = c;
    const std::optional<int> loose = exact ? exact : read ? read : plain;
    if (locale.Gregorian()) return loose;
    // In another calendar a "dd/MM/yyyy" text is ambiguous: a recent day is
    // this program's Gregorian form, anything else the calendar's own text.
    const int today = locale.Today();
    if (exact && *exact > today - kRecentDays && *exact <= today + 1) return exact;
    for (int day = today + 1; day > today - kRecentDays; --day) {
        const std::optional<std::string> written = locale.Write(day);
        if (written && *written == text) return day;
    }
    return loose;
}

} // namespace pilotune
