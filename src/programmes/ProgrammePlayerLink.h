#pragma once
// The player link as the programmes see it.
#include "programmes/ProgrammePorts.h"

namespace pilotune {

class TPilotune;

class ProgrammePlayerLink final : public ProgrammePlayer {
  public:
    explicit ProgrammePlayerLink(TPilotune& link) : link_(link) {}
    int NumeroTitre() override;
    void JouerTitre(int n) override;
    void AllerA(int seconds) override;
    int Position() override;
    void Jouer() override;
    PlayerState Etat() override;
    std::string FichierTitre(int n) override;
    int ChercherTitre(const std::string& fileName) override;

  private:
    TPilotune& link_;
};

} // namespace pilotune
