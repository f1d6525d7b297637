#pragma once
// The failure log: one line for each failure the user does not see at once (a
// window not made, an exception stopped at a window procedure, a start that
// gave up), in a text file that never grows past a bound. This part decides
// what a line says and what the file keeps; FailureLogWin32 writes it.
#include <cstddef>
#include <string>
#include <string_view>

namespace pilotune {

// The file never holds more bytes than this. When a line no longer fits, the
// older lines go and the newer ones that fill half of it stay.
inline constexpr std::size_t kFailureLogLimit = 64 * 1024;
// A longer line is cut (at a whole UTF-8 character).
inline constexpr std::size_t kFailureLineLimit = 1024;

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "2026-12-07 09:41:03 | what | 1400 : the system's text\r\n". Without an
// error code the last part is `errorText` alone (an exception's text), and
// with neither it is left out. Line breaks and tabs inside become blanks.
std::string FailureLine(const LogTime& at, std::string_view what, unsigned long error,
                        std::string_view errorText);

// Whether `lineSize` more bytes keep a file of `size` bytes within `limit`.
bool FitsInFailureLog(std::size_t size, std::size_t lineSize, std::size_t limit = kFailureLogLimit);

// The whole new file when `line` does not fit after `content` (the file, or
// its end): the byte-order mark, the newest whole lines of `content` that
// fill at most half of `limit`, then `line`.
std::string TrimmedFailureLog(std::string_view content, std::string_view line,
                              std::size_t limit = kFailureLogLimit);

} // namespace pilotune
