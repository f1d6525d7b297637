#include "settings/TimeText.h"

#include <cstdint>

namespace pilotune {

namespace {
std::string TwoDigits(std::int64_t v) {
    std::string text = std::to_string(v);
    if (v < 10) text.insert(text.begin(), '0');
    return text;
}
} // namespace

std::string SecondsToText(int seconds) {
    // 64-bit so that the absolute value of INT_MIN is representable.
    std::int64_t total = seconds;
    std::string sign;
    if (total < 0) {
        sign = "-";
        total = -total;
    }
    const std::int64_t h = total / 3600;
    const std::int64_t m = (total % 3600) / 60;
    const std::int64_t s = total % 60;
    if (h > 0) return sign + TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(s);
    return sign + std::to_string(m) + ":" + TwoDigits(s);
}

int TextToSeconds(std::string_view text) {
    // Saturating arithmetic: a hand-typed "99999999:99" must not overflow.
    constexpr std::int64_t kMax = 0x7fffffff;
    std::int64_t total = 0;
    std::size_t i = 0;
    while (true) {
        std::int64_t part = 0;
        while (i < text.size() && text[i] == ' ')
            ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            part = part * 10 + (text[i] - '0');
            if (part > kMax) part = kMax;
            ++i;
        }
        total = total * 60 + part;
        if (total > kMax) total = kMax;
        std::size_t colon = text.find(':', i);
        if (colon == std::string_view::npos) break;
        i = colon + 1;
    }
    return static_cast<int>(total);
}

} // namespace pilotune
