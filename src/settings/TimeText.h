#pragma once
// Time texts: whole seconds shown as m:ss, or hh:mm:ss from one hour on.
#include <string>
#include <string_view>

namespace pilotune {

// 0 -> "0:00", 65 -> "1:05", 3725 -> "01:02:05", -65 -> "-1:05".
std::string SecondsToText(int seconds);

// "14:30:05" -> 52205. Each ":"-separated part counts by its leading decimal
// number (leading blanks skipped, the rest ignored, empty = 0). Never fails.
int TextToSeconds(std::string_view text);

inline std::string IfThenText(bool condition, std::string whenTrue, std::string whenFalse) {
    return condition ? std::move(whenTrue) : std::move(whenFalse);
}

} // namespace pilotune
