#pragma once
// Done dates in the user's short date format. A date is written as the format
// writes it when that text reads back as the same day: day, month and year
// taken in the pattern's order, a month written as a name ("05-mars-24")
// recognised by the names the format itself writes. Where it does not read
// back (another calendar, a pattern without a year), the date is written
// "dd/MM/yyyy" in the Gregorian calendar. Reading also keeps the dates older
// saves wrote: other widths of the same pattern, and the format's own text in
// another calendar for the last two years.
#include <optional>
#include <string>
#include <string_view>

namespace pilotune {

// What the dates need of the user's locale.
class ShortDateLocale {
  public:
    virtual ~ShortDateLocale() = default;
    virtual std::string Pattern() const = 0; // "dd/MM/yyyy", "dd-MMM-yy", ...
    // The short date of `day` as the locale writes it, in the user's calendar.
    virtual std::optional<std::string> Write(int day) const = 0;
    virtual bool Gregorian() const = 0; // the user's calendar is the Gregorian one
    virtual int Today() const = 0;
};

std::string FormatShortDate(const ShortDateLocale& locale, int day);
std::optional<int> ParseShortDate(const ShortDateLocale& locale, std::string_view text);

} // namespace pilotune
