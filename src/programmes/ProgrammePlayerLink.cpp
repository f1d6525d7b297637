#include "programmes/ProgrammePlayerLink.h"

#include "player/Winamp.h"

namespace pilotune {

int ProgrammePlayerLink::NumeroTitre() {
    return link_.NumeroTitre();
}
void ProgrammePlayerLink::JouerTitre(int n) {
    link_.JouerTitre(n);
}
void ProgrammePlayerLink::AllerA(int seconds) {
    link_.AllerA(seconds);
}
int ProgrammePlayerLink::Position() {
    return link_.Position();
}
void ProgrammePlayerLink::Jouer() {
    link_.Jouer();
}
PlayerState ProgrammePlayerLink::Etat() {
    return link_.Etat();
}
std::string ProgrammePlayerLink::FichierTitre(int n) {
    return link_.FichierTitre(n);
}
int ProgrammePlayerLink::ChercherTitre(const std::string& fileName) {
    return link_.ChercherTitre(fileName);
}

} // namespace pilotune
