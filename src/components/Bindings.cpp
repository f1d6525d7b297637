#include "components/Bindings.h"

namespace pilotune {

std::vector<AppelRaccourci> RaccourcisPour(const std::vector<TCla>& bindings,
                                           std::string_view touche) {
    std::vector<AppelRaccourci> calls;
    for (const TCla& b : bindings)
        if (b.Activer && b.Touche == touche) calls.push_back({b.Action, b.Chemin});
    return calls;
}

void Raccourcis::ToucheEnfoncee(const std::string& touche) {
    if (capturing_) {
        if (cible_) cible_(touche);
        return;
    }
    if (!executer_) return;
    for (const AppelRaccourci& call : RaccourcisPour(option_.Bindings, touche))
        executer_(call.action, false, call.parametre);
}

} // namespace pilotune
