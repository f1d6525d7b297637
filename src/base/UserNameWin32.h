#pragma once
#include <string>

namespace pilotune {

// Logon name of the current user, UTF-8 (it prefixes every settings section);
// if Windows gives none, the USERNAME variable, else "Utilisateur".
std::string UserName();

} // namespace pilotune
