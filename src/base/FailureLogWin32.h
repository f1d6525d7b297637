#pragma once
// Writes the failure log: "Pilotune\Pilotune.log" in the user's local
// application data, one line per failure (see FailureLog.h). Nothing is ever
// shown: the file is what a user sends when asking for help.
#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace pilotune {

// Appends "time | what | error : the system's text" to the log; no error part
// for 0 (a window procedure that refused its creation sets none). Never throws,
// never waits on anything but one small write, keeps the caller's last error;
// a log that cannot be written is given up silently.
void LogFailure(std::string_view what, DWORD error);
// The same with GetLastError's value.
void LogFailure(std::string_view what);
// An exception's text (or that it was not a std::exception) instead of an error code.
void LogException(std::string_view where, const std::exception_ptr& caught);

// The log's full path; empty when Windows gives no local application data.
std::string FailureLogPath();

// The system's text for an error code (FormatMessageW), as UTF-8.
std::string SystemErrorText(DWORD code);

} // namespace pilotune
