#include "settings/Codecs.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace pilotune {

namespace {

// Code points of bytes 0x80..0x9F; an undefined byte maps to itself.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Decodes one UTF-8 sequence at s[i]; advances i; nullopt for a malformed one
// (i then advances by one byte).
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07;
    } else {
        ++i;
        return std::nullopt;
    }
    if (i + len > s.size()) {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += len;
    return cp;
}

char EncodeOne(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t k = 0; k < kHigh.size(); ++k)
        if (kHigh[k] == cp) return static_cast<char>(0x80 + k);
    return '?';
}

// Index of the first byte of `s` at or above 0x80 (n when none), eight bytes
// at a time.
std::size_t FirstNonAscii(const char* s, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080ull) break;
    }
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

constexpr int kDayOfEpoch1970 = 25569; // 1 Jan 1970 on the 1899-12-30 scale

} // namespace

std::string Windows1252Codec::Decode(std::string_view bytes) const {
    if (IsAscii(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        out.append(bytes.data() + i, run - i);
        if (run == bytes.size()) break;
        const auto c = static_cast<unsigned char>(bytes[run]);
        AppendUtf8(out, c < 0xA0 ? kHigh[c - 0x80] : c);
        i = run + 1;
    }
    return out;
}

std::string Windows1252Codec::Encode(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        // ASCII runs are copied whole; only the other sequences are decoded.
        std::size_t run = i;
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80)
            ++run;
        out.append(utf8.data() + i, run - i);
        i = run;
        if (i < utf8.size()) {
            const auto cp = NextCodePoint(utf8, i);
            out += cp ? EncodeOne(*cp) : '?';
        }
    }
    return out;
}

bool Windows1252Codec::EncodeTo(std::string_view utf8, std::string& out) const {
    // No character takes more bytes in the code page than in UTF-8; eight more
    // let every step store a whole word.
    out.resize(utf8.size() + 8);
    const char* end = EncodeInto(utf8, out.data());
    if (!end) return false;
    out.resize(static_cast<std::size_t>(end - out.data()));
    return true;
}

char* Windows1252Codec::EncodeInto(std::string_view utf8, char* d) const {
    const std::size_t n = utf8.size();
    const char* const s = utf8.data();
    std::size_t i = 0;
    for (;;) {
        // ASCII eight bytes at a time, up to the first byte that is not.
        std::uint64_t high = 0;
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            std::memcpy(d, &word, 8);
            high = word & 0x8080808080808080ull;
            if (high) break;
            i += 8;
            d += 8;
        }
        if (high) {
            const std::size_t ascii = static_cast<std::size_t>(std::countr_zero(high)) / 8;
            i += ascii;
            d += ascii;
        } else {
            while (i < n && static_cast<unsigned char>(s[i]) < 0x80)
                *d++ = s[i++];
            if (i == n) return d;
        }
        if (static_cast<unsigned char>(s[i]) == 0xC3 && i + 1 < n &&
            (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
            *d++ = static_cast<char>(0xC0 | (s[i + 1] & 0x3F)); // U+00C0..U+00FF
            i += 2;
            continue;
        }
        const auto cp = NextCodePoint(utf8, i);
        const char c = cp ? EncodeOne(*cp) : '?';
        if (c == '?') return nullptr;
        *d++ = c;
    }
}

bool IsWellFormedUtf8(std::string_view bytes) {
    for (std::size_t i = FirstNonAscii(bytes.data(), bytes.size()); i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
        } else if (!NextCodePoint(bytes, i)) {
            return false;
        }
    }
    return true;
}

int DayFromCivil(const CivilDate& date) {
    // Days since 1970-01-01 (H. Hinnant's algorithm), shifted to 1899-12-30.
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (date.month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + date.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + kDayOfEpoch1970;
}

CivilDate CivilFromDay(int day) {
    const long long z = static_cast<long long>(day) - kDayOfEpoch1970 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    CivilDate d;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<int>(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
    return d;
}

bool IsValidCivil(const CivilDate& date) {
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int max = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    return date.day <= max;
}

std::string DayMonthYearDateCodec::Format(int day) const {
    const CivilDate d = CivilFromDay(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year);
    return buf;
}

std::optional<int> DayMonthYearDateCodec::Parse(std::string_view text) const {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    int parts[3] = {0, 0, 0};
    std::size_t i = 0;
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            if (i >= text.size() || text[i] != '/') return std::nullopt;
            ++i;
        }
        const std::size_t start = i;
        const std::size_t maxDigits = p < 2 ? 2 : 4;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < maxDigits)
            parts[p] = parts[p] * 10 + (text[i++] - '0');
        if (i == start) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const CivilDate d{parts[2], parts[1], parts[0]};
    if (!IsValidCivil(d)) return std::nullopt;
    return DayFromCivil(d);
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t n = bytes.size() / 2;
    auto unit = [&](std::size_t k) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
    };
    for (std::size_t k = 0; k < n; ++k) {
        const char16_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < n && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            const char32_t cp = 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            AppendUtf8(out, cp);
            ++k;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

} // namespace pilotune
