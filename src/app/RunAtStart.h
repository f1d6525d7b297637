#pragma once
// The "start with Windows" value: one Run value, "Pilotune", shared by every
// copy of the program on the computer (an installed one, portable ones). A
// copy changes it only where the value is its own or where its user asks.
#include <optional>
#include <string>
#include <string_view>

namespace pilotune {

inline constexpr char kRunValuePath[] =
    "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Pilotune";

// The command the value holds for the program at `exe`: the path quoted (a
// path with blanks cannot start another program) and "WindowsLanceDebut".
std::string RunAtStartCommand(std::string_view exe);

// Whether `command` starts the program at `exe`: its first word, quoted or
// not (older values hold the path unquoted), is that path, letter case aside.
bool RunAtStartStarts(std::string_view command, std::string_view exe);

enum class RunValueChange { Keep, Write, Delete };

// What the settings do to the value `current` (nothing: no value). On, the
// value is written when it is missing or this copy's, or when the user has just
// turned the setting on (`turnedOn`): it then starts this copy. Off, the value
// is deleted only when it starts this copy.
RunValueChange RunAtStartChange(bool on, bool turnedOn, const std::optional<std::string>& current,
                                std::string_view exe);

} // namespace pilotune
