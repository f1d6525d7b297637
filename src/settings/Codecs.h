#pragma once
// Portable codecs of the settings file: Windows-1252 text (the ANSI code page
// of a Western Windows, used where the real code page is not at hand) and
// "dd/MM/yyyy" dates. Also the day arithmetic both date codecs share.
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace pilotune {

class Windows1252Codec final : public TextCodec {
  public:
    // Every byte decodes; the five bytes 1252 leaves undefined map to the C1
    // controls of the same value, as Windows does.
    std::string Decode(std::string_view bytes) const override;
    std::string Encode(std::string_view utf8) const override;
    bool EncodeTo(std::string_view utf8, std::string& out) const override;
    bool EncodesInPlace() const override { return true; }
    char* EncodeInto(std::string_view utf8, char* out) const override;
};

class DayMonthYearDateCodec final : public DateCodec {
  public:
    std::string Format(int day) const override; // 0 -> "30/12/1899"
    // "d/M/yyyy" with one or two digits for day and month; nullopt for any
    // other text or an impossible date.
    std::optional<int> Parse(std::string_view text) const override;
};

struct CivilDate {
    int year = 1899, month = 12, day = 30;
};

// Whole days since 30 Dec 1899 <-> a date of the proleptic Gregorian calendar.
int DayFromCivil(const CivilDate& date);
CivilDate CivilFromDay(int day);
// True for an existing date of years 1 to 9999.
bool IsValidCivil(const CivilDate& date);

// True when `bytes` is well-formed UTF-8 (no overlong form, no surrogate).
bool IsWellFormedUtf8(std::string_view bytes);

// UTF-16 little-endian bytes -> UTF-8 (unpaired surrogates become U+FFFD).
std::string Utf16LeToUtf8(std::string_view bytes);

} // namespace pilotune
