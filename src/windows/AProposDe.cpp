#include "windows/AProposDe.h"

namespace pilotune {

const char kAvertissement[] =
    "Pilotune est un logiciel gratuit, fourni tel quel, sans aucune garantie. Winamp est une "
    "marque de son propriétaire ; Pilotune n'est ni fait ni soutenu par lui. Une remarque, "
    "une idée ? Écrivez à pilotune@example.org";

std::string VersionText(const std::string& fileVersion) {
    return "Version : " + fileVersion;
}

std::string LogPlaceText(const std::string& logPath) {
    return "Journal des erreurs : " + (logPath.empty() ? std::string("aucun") : logPath);
}

void Defilement::Step() {
    if (!running) return;
    --top;
    if (top < -height) top = frameHeight;
}

} // namespace pilotune
