#include "app/RunAtStart.h"

namespace pilotune {

namespace {
char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]) &&
            !((a[i] == '/' || a[i] == '\\') && (b[i] == '/' || b[i] == '\\')))
            return false;
    return true;
}
} // namespace

std::string RunAtStartCommand(std::string_view exe) {
    return "\"" + std::string(exe) + "\" WindowsLanceDebut";
}

bool RunAtStartStarts(std::string_view command, std::string_view exe) {
    const auto first = command.find_first_not_of(" \t");
    if (first == std::string_view::npos || exe.empty()) return false;
    command.remove_prefix(first);
    if (command.front() == '"') {
        const auto close = command.find('"', 1);
        return close != std::string_view::npos && SamePath(command.substr(1, close - 1), exe);
    }
    // Unquoted: the path may hold blanks, so it is the start of the command up
    // to its end or a blank.
    return command.size() >= exe.size() && SamePath(command.substr(0, exe.size()), exe) &&
           (command.size() == exe.size() || command[exe.size()] == ' ' ||
            command[exe.size()] == '\t');
}

RunValueChange RunAtStartChange(bool on, bool turnedOn, const std::optional<std::string>& current,
                                std::string_view exe) {
    const bool ours = current && RunAtStartStarts(*current, exe);
    if (on) {
        const bool missing = !current || current->find_first_not_of(" \t") == std::string::npos;
        return turnedOn || missing || ours ? RunValueChange::Write : RunValueChange::Keep;
    }
    return ours ? RunValueChange::Delete : RunValueChange::Keep;
}

} // namespace pilotune
